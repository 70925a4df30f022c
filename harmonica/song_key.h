#pragma once

#include <optional>
#include <string>

#include "harmonica/key_ranking.h"
#include "song/midi_song.h"

namespace tavrino {

// The key a song is in: its tonic and mode.
struct SongKey {
    enum class Source { kKeySignature, kNotes };

    int tonic = 0;  // pitch class, 0 = C
    bool minor = false;
    Source source = Source::kNotes;

    // "G major", "E minor".
    std::string Name() const;
};

// The key of the song's first key signature; none when it has none.
std::optional<SongKey> KeyFromSignature(const MidiSong& song);

// The key the notes sound in, by how well their pitch classes match the
// profile of each major and minor key; none for no notes.
std::optional<SongKey> KeyFromNotes(const NoteHistogram& notes);

// The harmonica position a player counts for a song whose tonic is
// `tonic` on a harmonica named `harpKey` (pitch classes): 1 plays in the
// harmonica's key, 2 a fifth above it, 3 two fifths above, up to 12.
int HarpPosition(int tonic, int harpKey);
// "1st", "2nd", "3rd", "4th" ... "12th".
std::string PositionName(int position);

}  // namespace tavrino
