#pragma once

#include <cstdint>
#include <unordered_map>

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

// Visible tracks are drawn, and on screen highlighted ones too.
inline bool TrackShownOnScore(const MidiTrack* track, bool printing) {
    if (track == nullptr) {
        return false;
    }
    const bool highlighted = (track->flags & MidiTrack::kHighlighted) != 0;
    return track->visible() || (highlighted && !printing);
}

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
    // Notes shown with an alternate tablature, by note-on; none when null.
    const std::unordered_map<const MidiEvent*, int>* alternates = nullptr;
};

}  // namespace tavrino
