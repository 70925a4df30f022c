// The snapshot window of edit mode: the edit toolbar as it opens on the song.

#include "tools/snapshot_command.h"

namespace tavrino::tool {

namespace {

QWidget* MakeEditToolbar(SnapshotScene& scene) {
    CMainFrame& frame = scene.session().frame();
    // A song without a track to write into gets one, without asking.
    frame.editMode().SetNewTrackAsker([] { return NewTrackChoice{"New Track", 0}; });
    if (scene.tick) {
        frame.doc().editCursor = *scene.tick;
    }
    if (!frame.editMode().Open()) {
        return &frame;
    }
    return frame.editMode().toolbar();
}

const SnapshotWindow kWindows[] = {
    {"edit-toolbar", "the edit toolbar: track, channel, note value and duration", false,
     MakeEditToolbar},
};

}  // namespace

std::span<const SnapshotWindow> EditToolbarSnapshots() {
    return kWindows;
}

}  // namespace tavrino::tool
