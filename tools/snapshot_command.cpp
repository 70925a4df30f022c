// The snapshot command: a window of the program, drawn offscreen with a song
// loaded and the play position placed, for the users' documentation, tests
// and reviews.

#include "tools/snapshot_command.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <algorithm>

#include "monitors/monitor_list.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/system_midi_outputs.h"
#include "settings/memory_settings_store.h"
#include "tools/gui_application.h"
#include "tools/harmonica_options.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunSnapshot(const Command& self, const std::vector<std::string>& args, Io& io);

std::vector<SnapshotWindow> AllWindows() {
    std::vector<SnapshotWindow> windows;
    // One line per family of windows.
    for (const auto family : {MonitorSnapshots(), LyricsSnapshots(), EditToolbarSnapshots(),
                              MixerDialogSnapshots(), OptionsSnapshots()}) {
        windows.insert(windows.end(), family.begin(), family.end());
    }
    return windows;
}

std::string WindowList() {
    const std::vector<SnapshotWindow> windows = AllWindows();
    std::size_t width = 0;
    for (const SnapshotWindow& window : windows) {
        width = std::max(width, window.name.size() + 2);
    }
    std::string list;
    for (const SnapshotWindow& window : windows) {
        std::string name(window.name);
        name.resize(width, ' ');
        list.append("    ").append(name).append(window.summary).append("\n");
    }
    return list;
}

// Made on first use: the families' window tables live in other files, whose
// static data need not be ready while this file's is made.
std::string Help() {
    return "  WINDOW   the window to draw, one of:\n" + WindowList() +
           "  IN       a Standard MIDI File (.mid, .kar), loaded as the program loads it\n"
           "  OUT.png  the image to write\n"
           "  --at     the play position in ticks: the notes sounding there show pressed, as\n"
           "           during playback; without it nothing is pressed\n"
           "  --track  the track a window shows (track properties), from 0\n"
           "  --tuning, --key  the harmonica's tuning and key, as for tabmap (the chromatic\n"
           "           window takes a chromatic tuning, the others a diatonic one)\n"
           "  --colours default|high-contrast  the harmonica's colours and labels, as the\n"
           "           options' presets set them (default: default)\n"
           "  --tablature notes|diatonic|chromatic  what the main window's notes carry\n"
           "           (default notes)\n"
           "\nThe window is drawn offscreen with the program's own code and settings at\n"
           "their defaults; the user's settings are neither read nor written.\n";
}

}  // namespace

struct SnapshotScene::Silent {
    explicit Silent(const Settings& settings)
        : recorder(std::make_shared<RecordingOutput>(clock, 0)),
          outputs("silent", recorder),
          stream(outputs, clock),
          choice(systemOutputs) {
        SaveSettings(store, settings, ~0U);
    }

    MemorySettingsStore store;
    VirtualStreamClock clock;
    std::shared_ptr<RecordingOutput> recorder;
    SingleOutput outputs;
    ScheduledMidiStream stream;
    // The options list this machine's outputs, as the program would.
    SystemMidiOutputs systemOutputs;
    SystemOutputChoice choice;
    MonitorFactory factory;
};

SnapshotScene::SnapshotScene(const Settings& settings)
    : silent_(std::make_unique<Silent>(settings)),
      session_(std::make_unique<TavrinoSession>(silent_->store, silent_->stream, silent_->choice,
                                                silent_->factory)) {}

SnapshotScene::~SnapshotScene() {
    // Windows first: monitors report their closing to the main window.
    windows_.clear();
}

bool SnapshotScene::Open(const std::string& path) {
    // The document tells a user about a file cut short in a message box; the
    // tool has said so on standard error already, so any box is dismissed.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
    dismiss.start(0);
    return session_->frame().files().OpenDocumentFile(QString::fromStdString(path));
}

void SnapshotScene::PlayUpToTick(CMonitor& monitor) const {
    if (!tick) {
        return;
    }
    const MessageList& messages = session_->frame().doc().song.messages;
    for (std::size_t index = 0; index < messages.size() && messages[index]->time <= *tick;
         ++index) {
        MonitorList::FeedMonitor(monitor, *messages[index], static_cast<int>(index));
    }
}

QImage RenderWindow(QWidget& window) {
    window.show();
    QApplication::processEvents();
    return window.grab().toImage();
}

namespace {

int RunSnapshot(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"at", true},
                            {"track", true},
                            {"tuning", true},
                            {"key", true},
                            {"colours", true},
                            {"tablature", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 3, 3, io, exitCode)) {
        return exitCode;
    }
    const std::vector<std::string>& positionals = line.positionals();
    const std::vector<SnapshotWindow> windows = AllWindows();
    const auto window = std::find_if(windows.begin(), windows.end(), [&](const SnapshotWindow& w) {
        return w.name == positionals[0];
    });
    if (window == windows.end()) {
        return UsageError(
            self, "unknown window \"" + positionals[0] + "\"; the windows are\n" + WindowList(),
            io);
    }
    HarmonicaOptions options(self, line, io);
    const auto at = options.Integer("at", 0, INT32_MAX, 0);
    const auto track = options.Integer("track", 0, INT32_MAX, 0);
    Harmonica harmonica;
    Settings settings;
    if (!at || !track ||
        !options.ChooseHarmonicaKind(window->chromatic ? "chromatic" : "diatonic", harmonica) ||
        !options.ChooseColours(settings)) {
        return options.exitCode();
    }
    const std::string tablature = line.value("tablature").value_or("notes");
    const std::string_view tablatures[] = {"notes", "diatonic", "chromatic"};
    const auto chosen = std::find(std::begin(tablatures), std::end(tablatures), tablature);
    if (chosen == std::end(tablatures)) {
        return UsageError(self, "--tablature needs notes, diatonic or chromatic", io);
    }
    settings.tablatureType = static_cast<std::int32_t>(chosen - std::begin(tablatures));
    // The tool reads the song first, to report problems in its own words.
    MidiSong check;
    if (const int result = LoadSong(check, positionals[1], io); result != kExitOk) {
        return result;
    }
    const auto application = EnsureGuiApplication(true);
    SnapshotScene scene(settings);
    scene.session().diatonic().Build(harmonica.diatonic.GetKey(), &harmonica.diatonic.GetTuning());
    scene.session().chromatic().Build(harmonica.chromatic.GetKey(),
                                      &harmonica.chromatic.GetTuning());
    if (!scene.Open(positionals[1])) {
        io.err << "tavrino-tool: " << positionals[1] << ": the program cannot open the file\n";
        return kExitFailure;
    }
    if (line.has("at")) {
        scene.tick = *at;
    }
    if (line.has("track")) {
        const auto tracks = scene.session().frame().doc().song.tracks.size();
        if (static_cast<std::size_t>(*track) >= tracks) {
            return UsageError(self,
                              "--track " + std::to_string(*track) + ": the song has " +
                                  std::to_string(tracks) + " tracks, numbered from 0",
                              io);
        }
        scene.track = *track;
    }
    QWidget* shown = window->make(scene);
    const QImage image = RenderWindow(*shown);
    if (!image.save(QString::fromStdString(positionals[2]), "PNG")) {
        return WriteError(positionals[2], io);
    }
    return kExitOk;
}

}  // namespace

std::span<const Command> SnapshotCommands() {
    static const std::string help = Help();
    static const Command commands[] = {
        {"snapshot",
         "WINDOW IN OUT.png [--at TICK] [--track N] [--tuning T] [--key K] "
         "[--colours default|high-contrast] [--tablature notes|diatonic|chromatic]",
         "Draw a window of the program with a song loaded into a PNG image.", help, RunSnapshot},
    };
    return commands;
}

}  // namespace tavrino::tool
