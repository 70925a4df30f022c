// The snapshot window of the lyrics monitor.

#include "monitors/mon_lyrics.h"
#include "tools/snapshot_command.h"

namespace tavrino::tool {

namespace {

QWidget* MakeLyrics(SnapshotScene& scene) {
    const MonitorServices services = scene.services();
    auto* lyrics = scene.Keep(std::make_unique<CMonLyrics>(
        services.store, services.settings, services.doc.song, services.doc.pathName));
    // Owned by the scene, not by a main window: it must not delete itself.
    if (lyrics->CreateMonitor(nullptr) < 0) {
        return lyrics;
    }
    lyrics->setAttribute(Qt::WA_DeleteOnClose, false);
    // Laid out at its size first, so the highlight scrolls as on screen.
    RenderWindow(*lyrics);
    scene.PlayUpToTick(*lyrics);
    return lyrics;
}

const SnapshotWindow kWindows[] = {
    {"lyrics", "the lyrics window, the syllable sung at --at highlighted", false, MakeLyrics},
};

}  // namespace

std::span<const SnapshotWindow> LyricsSnapshots() {
    return kWindows;
}

}  // namespace tavrino::tool
