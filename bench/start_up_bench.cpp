// Start-up of the desktop program: the session with its settings, player,
// main window and score view, the demo song read from its file, and the
// window shown and painted once. Offscreen, on a silent MIDI output.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTest>

#include "app/tavrino_session.h"
#include "platform/qt_settings_store.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/system_midi_outputs.h"

namespace tavrino {
namespace {

void StartUpWithDemoSong(benchmark::State& state) {
    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath("settings.ini"));
    VirtualStreamClock clock;
    SingleOutput outputs("silent", std::make_shared<RecordingOutput>(clock));
    ScheduledMidiStream stream(outputs, clock);
    SystemMidiOutputs systemOutputs;
    SystemOutputChoice choice(systemOutputs);
    MonitorFactory monitors;
    CommandLineRequest request;
    request.files = {TAVRINO_SOURCE_DIR "/examples/oh-susanna.mid"};
    for (auto _ : state) {
        TavrinoSession session(store, stream, choice, monitors);
        if (!session.Start(request) || !QTest::qWaitForWindowExposed(&session.frame())) {
            state.SkipWithError("the window did not show");
            break;
        }
        session.frame().repaint();
    }
}
BENCHMARK(StartUpWithDemoSong)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
