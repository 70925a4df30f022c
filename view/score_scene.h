#pragma once

#include <cstdint>

#include "document/song_edits.h"
#include "settings/settings.h"
#include "song/midi_song.h"
#include "view/tab_text.h"

namespace tavrino {

// Where playback stands, as the score shows it.
struct PlayState {
    bool playing = false;
    std::int32_t tick = 0;
    // The next event the main frame has not shown as played; -1 when it has
    // not started, and then the tick tells what is played.
    std::int32_t displayIndex = -1;
};

// Everything the score shows besides its geometry. References must outlive
// the scene.
struct ScoreScene {
    const MidiSong& song;
    const Settings& settings;
    TabSource tabs;
    PlayState play;
    std::int32_t beginMark = kNoMark;
    std::int32_t endMark = kNoMark;
    std::int32_t editCursor = kNoMark;
    bool editMode = false;
    bool printing = false;
};

}  // namespace tavrino
