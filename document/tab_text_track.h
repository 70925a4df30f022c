#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "song/midi_song.h"

namespace tavrino {

inline constexpr std::size_t kMostTracks = 128;
inline constexpr std::string_view kTabTrackName = "Tablature by Tavrino!";

// What the tablature text track writes: the notation named on its title line
// ("Diatonic Tab: ..."; empty for note names) and the text of each note
// (symbol and hole, or the note's name), as the score shows them.
struct TabTrackNotation {
    std::string description;
    std::function<std::string(int key)> noteText;
};

// Appends a track of text events in the karaoke conventions: two "@T" title
// lines, then for each visible track the notes starting inside the marks,
// one event per group of notes that start together, "/" opening every bar,
// and a closing text naming the product's web page. The track ends at the end
// mark, else at the end of its last note (0 when no note is written).
// Returns the new track's index; the caller checks kMostTracks first.
int AppendTabTextTrack(MidiSong& song, const TabTrackNotation& notation, std::int32_t beginMark,
                       std::int32_t endMark);

}  // namespace tavrino
