#include "document/transpose_undo.h"

#include <utility>

namespace tavrino {

bool TransposeUndoRecord::Record(int semitones, std::int32_t beginMark, std::int32_t endMark,
                                 std::vector<bool> transposedTracks) {
    // A different track count means tracks were added or deleted since: the
    // saved indexes no longer name the same tracks, so a new group starts.
    const bool continues = amount != 0 && undoBegin == beginMark && undoEnd == endMark &&
                           trackFlags == transposedTracks;
    if (!continues) {
        trackFlags = std::move(transposedTracks);
        undoBegin = beginMark;
        undoEnd = endMark;
        amount = semitones;
        ++groups;
        return true;
    }
    amount += semitones;
    if (amount == 0 && groups == 1) {
        groups = 0;
        return false;
    }
    return true;
}

bool TransposeUndoRecord::RevertLastGroup(MidiSong& song) {
    for (std::size_t track = 0; track < trackFlags.size(); ++track) {
        if (trackFlags[track]) {
            TransposeSong(song, -amount, static_cast<int>(track), undoBegin, undoEnd);
        }
    }
    amount = 0;
    return --groups == 0;
}

}  // namespace tavrino
