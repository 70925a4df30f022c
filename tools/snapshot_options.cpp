// The snapshot windows of the options sheet, one per page.

#include "tools/snapshot_command.h"

namespace tavrino::tool {

namespace {

// The sheet as the Options command opens it, on the page.
QWidget* MakeOptions(SnapshotScene& scene, int page) {
    CProperties* sheet =
        scene.Keep(scene.session().options().MakeSheet(OptionsChoosers::OnScreen()));
    sheet->pages().setCurrentIndex(page);
    sheet->adjustSize();
    return sheet;
}

const SnapshotWindow kWindows[] = {
    {"options-general", "the options' General page: output, SoundFont, score display, colours",
     false, [](SnapshotScene& scene) { return MakeOptions(scene, 0); }},
    {"options-print", "the options' Print page: clefs, bars, beats per line, spacing", false,
     [](SnapshotScene& scene) { return MakeOptions(scene, 1); }},
    {"options-lyrics", "the options' Lyrics page: the lyrics window's font and colours", false,
     [](SnapshotScene& scene) { return MakeOptions(scene, 2); }},
};

}  // namespace

std::span<const SnapshotWindow> OptionsSnapshots() {
    return kWindows;
}

}  // namespace tavrino::tool
