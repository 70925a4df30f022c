// Dragging a selected note in edit mode over a song of two million events:
// one step of the pointer (the move and the repaint it causes), beside a
// full repaint of the same page. Reads events-2000000.mid from the folder in
// TAVRINO_BENCH_DATA (scripts/bench makes it).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdlib>
#include <memory>

#include "document/document_fakes.h"
#include "song/midi_reader.h"
#include "view/tavrino_view.h"

namespace tavrino {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;

// The document and view on the big song, in edit mode, one note selected
// and the button held on it.
struct DragScene {
    DragScene() : view(doc, settings, diatonic, chromatic) {
        const char* folder = std::getenv("TAVRINO_BENCH_DATA");
        const std::string path =
            std::string(folder != nullptr ? folder : "bench/data") + "/events-2000000.mid";
        loaded = ReadMidiFile(doc.song, path, nullptr) == kReadOk;
        MarkPlayable(doc.song);
        diatonic.Reset(60, nullptr, settings);
        view.resize(kWidth, kHeight);
        view.SetEditMode(true);
        view.SetScrollRange(doc.song.songLength / std::max<int>(1, doc.song.division));
        // Shown, so that a repaint paints at once.
        view.show();
        QApplication::processEvents();
        view.viewport()->repaint();
        for (const MidiEvent* event : doc.song.messages) {
            if (event->playable != 0 && event->time > 0) {
                note = event;
                break;
            }
        }
        if (note != nullptr) {
            const PixelRect bar = view.NoteBarOf(*note);
            grip = QPoint(bar.left + 2, (bar.top + bar.bottom) / 2);
            Send(QEvent::MouseButtonPress, grip, Qt::LeftButton);
        }
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &event);
    }

    bool Ready() const { return loaded && note != nullptr && view.Trackers().Count() == 1; }

    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc{host, player};
    Settings settings;
    DiatonicLayout diatonic;
    ChromaticLayout chromatic;
    CTavrinoView view;
    bool loaded = false;
    const MidiEvent* note = nullptr;
    QPoint grip;
};

DragScene& Scene() {
    static DragScene scene;
    return scene;
}

void BM_DragStep(benchmark::State& state) {
    DragScene& scene = Scene();
    if (!scene.Ready()) {
        state.SkipWithError("events-2000000.mid is missing: run scripts/bench first");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        // Back and forth over a quarter note and a few half steps.
        const QPoint offset((step % 24) * 3, ((step / 24) % 4) * 4);
        scene.Send(QEvent::MouseMove, scene.grip + offset, Qt::LeftButton);
        scene.view.viewport()->repaint();
        ++step;
    }
    state.counters["events"] = static_cast<double>(scene.doc.song.messages.size());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

void BM_FullRepaintOfTheSamePage(benchmark::State& state) {
    DragScene& scene = Scene();
    if (!scene.Ready()) {
        state.SkipWithError("events-2000000.mid is missing: run scripts/bench first");
        return;
    }
    for (auto _ : state) {
        scene.view.Invalidate();
        scene.view.viewport()->repaint();
    }
}
BENCHMARK(BM_FullRepaintOfTheSamePage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
