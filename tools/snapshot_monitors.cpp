// The snapshot windows of the main window and the monitors that show notes.

#include "monitors/mon_chromatic.h"
#include "monitors/mon_diatonic.h"
#include "monitors/mon_piano.h"
#include "tools/snapshot_command.h"

namespace tavrino::tool {

namespace {

QWidget* MakeMain(SnapshotScene& scene) {
    CMainFrame& frame = scene.session().frame();
    if (scene.tick) {
        frame.transport().SeekTo(*scene.tick);
        // The notes played so far go onto the painted page in the played
        // colour, as playback leaves them; the first paint makes the page.
        RenderWindow(frame);
        const MessageList& messages = frame.doc().song.messages;
        for (std::size_t index = 0; index < messages.size() && messages[index]->time <= *scene.tick;
             ++index) {
            if (messages[index]->isSoundingNoteOn()) {
                scene.session().view().PaintPlayedNote(static_cast<int>(index));
            }
        }
    }
    return &frame;
}

template <class Monitor>
QWidget* MakeMonitor(SnapshotScene& scene) {
    Monitor* monitor = scene.Keep(std::make_unique<Monitor>(scene.services()));
    // Owned by the scene, not by a main window: it must not delete itself.
    if (monitor->CreateMonitor(nullptr) < 0) {
        return monitor;
    }
    monitor->setAttribute(Qt::WA_DeleteOnClose, false);
    scene.PlayUpToTick(*monitor);
    return monitor;
}

const SnapshotWindow kWindows[] = {
    {"main", "the main window: menus, toolbar, score and tablature, status bar", false, MakeMain},
    {"diatonic", "the diatonic harmonica monitor, with its side panel", false,
     MakeMonitor<CMonDiatonic>},
    {"chromatic", "the chromatic harmonica monitor", true, MakeMonitor<CMonChromatic>},
    {"piano", "the piano keyboard monitor", false, MakeMonitor<CMonPiano>},
};

}  // namespace

std::span<const SnapshotWindow> MonitorSnapshots() {
    return kWindows;
}

}  // namespace tavrino::tool
