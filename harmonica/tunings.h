#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "harmonica/fixed_name.h"

namespace tavrino {

inline constexpr int kMaxHoles = 16;

using HoleNotes = std::array<std::int16_t, kMaxHoles>;

// One diatonic tuning. Notes are semitones relative to the layout's key (key
// 60 makes 0 middle C); entries beyond `holes` are 0.
struct DiatonicTuning {
    FixedName<64> name;
    std::int16_t holes = 0;  // 1 to kMaxHoles; 0 only for an empty "Custom..."
    // Semitones added to the key when it is named: a tuning whose reeds start
    // on C may be sold as a G harmonica.
    std::int16_t keyOffset = 0;
    HoleNotes blow{};
    HoleNotes draw{};
    HoleNotes valved{};  // non-zero: the hole carries valves
};

// The four reeds of a chromatic hole, in the order of ChromaticKind: blow with
// the slide out, blow slide in, draw slide out, draw slide in.
inline constexpr int kChromaticKindCount = 4;
using ChromaticHole = std::array<std::int16_t, kChromaticKindCount>;

struct ChromaticTuning {
    FixedName<40> name;
    std::int16_t holes = 0;
    // Added to the 0-based hole index to number the holes: the big
    // instruments number their extra low holes below the usual hole 1.
    std::int16_t holeNumberOffset = 0;
    std::array<ChromaticHole, kMaxHoles> notes{};
};

inline constexpr std::string_view kCustomTuningName = "Custom...";

// The tunings the selectors offer, in their order. The last record of each
// list is "Custom...", the one a tuning file fills; the others never change.
std::span<const DiatonicTuning> DiatonicTunings();
std::span<const ChromaticTuning> ChromaticTunings();

const DiatonicTuning& DefaultDiatonicTuning();    // "Major Diatonic (ritcher)"
const ChromaticTuning& DefaultChromaticTuning();  // "12 Hole Chromatic (std 48)"

DiatonicTuning& CustomDiatonicTuning();
ChromaticTuning& CustomChromaticTuning();

}  // namespace tavrino
