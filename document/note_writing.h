#pragma once

#include <array>
#include <cstdint>

#include "song/midi_song.h"

namespace tavrino {

// The note values edit mode writes, from the whole note to the triplet
// eighth, as quarter-note fractions: length = division * numerator /
// denominator ticks (integer division).
struct NoteValue {
    int numerator;
    int denominator;
};
inline constexpr std::array<NoteValue, 7> kNoteValues = {{
    {4, 1},  // whole
    {2, 1},  // half
    {1, 1},  // quarter
    {1, 2},  // eighth
    {1, 4},  // sixteenth
    {1, 8},  // thirty-second
    {1, 3},  // triplet
}};
inline constexpr int kDefaultNoteValue = 2;
inline constexpr int kDefaultNotePercent = 90;

// How long a written note sounds and the silence after it.
struct NoteTiming {
    std::int32_t duration = 1;
    std::int32_t gap = 0;
};

// The timing of note value `index` (another index is the quarter note)
// sounding for `percent` (1..100) of its length. Both the length and the
// sounding part are at least one tick, so every written note sounds and the
// edit cursor always moves on.
NoteTiming NoteValueTiming(int index, int percent, int division);

inline constexpr std::int16_t kEditSongDivision = 192;

// Makes an empty song editable: format 1 at 192 ticks per quarter, with a
// conductor track holding 4/4, C major, 120 beats per minute and its end.
void SetUpEmptySong(MidiSong& song);

}  // namespace tavrino
