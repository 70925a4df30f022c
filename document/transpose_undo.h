#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/song_edits.h"
#include "song/midi_song.h"

namespace tavrino {

// The one level of undo the document offers: transpositions. Consecutive
// transpositions of the same tracks within the same marks form one group,
// which is undone as a whole and exactly: notes a transposition had to leave
// where they were (at the edge of the key range) get back their own keys, and
// key signatures moved with the whole song their own spelling.
struct TransposeUndoRecord {
    // Whether a transposition of the flagged tracks within the marks, moving
    // the key signatures or not, continues the last group.
    bool Continues(std::int32_t beginMark, std::int32_t endMark,
                   const std::vector<bool>& transposedTracks, bool movesKeys) const;
    // Starts a new group as the song stands now.
    void StartGroup(const MidiSong& song, std::int32_t beginMark, std::int32_t endMark,
                    std::vector<bool> transposedTracks, bool movesKeys);
    // Books a transposition of the group: `unmoved` are the note-ons it had
    // to leave where they were. Moves the key signatures when the group does.
    // Returns whether the song counts as changed afterwards: not when the
    // transposition exactly cancels the only group.
    bool Add(MidiSong& song, int semitones, const std::vector<MidiEvent*>& unmoved);
    // Whether there is a group to undo.
    bool CanRevert() const { return amount != 0 || !originalKeys.empty(); }
    // Restores the song as it was before the last group. Returns whether no
    // group is left.
    bool RevertLastGroup(MidiSong& song);

    std::int32_t undoBegin = kNoMark;
    std::int32_t undoEnd = kNoMark;
    int amount = 0;  // semitones of the last group
    // One flag per track index, for every track the song had when the group
    // began: a song may gain tracks beyond the 128 a file can bring.
    std::vector<bool> trackFlags;
    int groups = 0;
    bool movesKeys = false;
    // The key before the group of every note (note-on and note-off) that some
    // transposition of the group could not move.
    std::unordered_map<MidiEvent*, std::int16_t> originalKeys;
    // Every key signature of the song and its sharps/flats before the group,
    // and the song's key name then; kept only while the group moves keys.
    std::vector<std::pair<KeySignatureEvent*, int>> originalSignatures;
    std::string originalKeyText;
};

}  // namespace tavrino
