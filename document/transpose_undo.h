#pragma once

#include <cstdint>
#include <vector>

#include "document/song_edits.h"
#include "song/midi_song.h"

namespace tavrino {

// The one level of undo the document offers: transpositions. Consecutive
// transpositions of the same tracks within the same marks form one group,
// which is undone as a whole.
struct TransposeUndoRecord {
    // Books a transposition of the flagged tracks within the marks. Returns
    // whether the song counts as changed afterwards: not when the
    // transposition cancels the only group.
    bool Record(int semitones, std::int32_t beginMark, std::int32_t endMark,
                std::vector<bool> transposedTracks);
    // Transposes the last group back. Returns whether no group is left.
    bool RevertLastGroup(MidiSong& song);

    std::int32_t undoBegin = kNoMark;
    std::int32_t undoEnd = kNoMark;
    int amount = 0;  // semitones of the last group; 0 when there is nothing to undo
    // One flag per track index, for every track the song had when the group
    // began: a song may gain tracks beyond the 128 a file can bring.
    std::vector<bool> trackFlags;
    int groups = 0;
};

}  // namespace tavrino
