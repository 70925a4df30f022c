#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "harmonica/tunings.h"

namespace tavrino {

// Tuning files (*.tun) describe one diatonic or chromatic tuning as text:
//
//     DIATONIC                      CHROMATIC
//     NAME My Richter               NAME My Chromatic
//     BLOW C E G C E G C E G C      BLOW_SLIDE_OUT C E G C ...
//     DRAW D G B D F A B D F A      BLOW_SLIDE_IN C# F G# C# ...
//                                   DRAW_SLIDE_OUT D F A B ...
//                                   DRAW_SLIDE_IN D# F# A# C ...
//
// The kind keyword comes first and NAME after it; the rows follow NAME in
// any order. Each row holds up to kMaxHoles note words (ParseNoteName; octave
// digits mean nothing), placed upward from the key: each note lies at most
// two semitones below the one before it, else an octave higher. A diatonic
// VALVED row is accepted and carries no valves.

// Files larger than this are not tuning files; they fail without being read.
inline constexpr std::size_t kMaxTuningFileBytes = 1 << 20;

// Reads the file into the record: 0 on success; -1 when the file cannot be
// read, is too large, or lacks the kind keyword, NAME, a required row or any
// note. A failure leaves the record as it was. On success the record is
// exactly the file's tuning: its name is the file's followed by " ..." (cut
// to fit the name field), holes the longest row, notes missing from a
// shorter row 0, no offset, no valves.
int ReadTuningFile(const std::string& path, DiatonicTuning& record);
int ReadTuningFile(const std::string& path, ChromaticTuning& record);

// The same for text already in memory.
int ParseTuningText(std::string_view text, DiatonicTuning& record);
int ParseTuningText(std::string_view text, ChromaticTuning& record);

}  // namespace tavrino
