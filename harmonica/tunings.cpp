#include "harmonica/tunings.h"

#include <algorithm>

namespace tavrino {

namespace {

using Row = std::span<const std::int16_t>;

constexpr HoleNotes Notes(Row row) {
    HoleNotes notes{};
    std::copy(row.begin(), row.end(), notes.begin());
    return notes;
}

constexpr DiatonicTuning Diatonic(std::string_view name, Row blow, Row draw, int keyOffset = 0) {
    DiatonicTuning tuning;
    tuning.name = name;
    tuning.holes = static_cast<std::int16_t>(blow.size());
    tuning.keyOffset = static_cast<std::int16_t>(keyOffset);
    tuning.blow = Notes(blow);
    tuning.draw = Notes(draw);
    return tuning;
}

constexpr DiatonicTuning FullyValved(DiatonicTuning tuning) {
    std::fill_n(tuning.valved.begin(), tuning.holes, std::int16_t{1});
    return tuning;
}

// Rows of low holes come first, then the usual rows.
constexpr ChromaticTuning Chromatic(std::string_view name, std::span<const ChromaticHole> lowRows,
                                    std::span<const ChromaticHole> rows) {
    ChromaticTuning tuning;
    tuning.name = name;
    tuning.holes = static_cast<std::int16_t>(lowRows.size() + rows.size());
    tuning.holeNumberOffset = static_cast<std::int16_t>(-static_cast<int>(lowRows.size()));
    std::copy(rows.begin(), rows.end(),
              std::copy(lowRows.begin(), lowRows.end(), tuning.notes.begin()));
    return tuning;
}

constexpr std::int16_t kRichterBlow[] = {0, 4, 7, 12, 16, 19, 24, 28, 31, 36};
constexpr std::int16_t kRichterDraw[] = {2, 7, 11, 14, 17, 21, 23, 26, 29, 33};
constexpr std::int16_t kCountryDraw[] = {2, 7, 11, 14, 18, 21, 23, 26, 29, 33};
constexpr std::int16_t kMinorBlow[] = {0, 3, 7, 12, 15, 19, 24, 27, 31, 36};
constexpr std::int16_t kHarmonicMinorDraw[] = {2, 7, 11, 14, 17, 20, 23, 26, 29, 32};
constexpr std::int16_t kNaturalMinorDraw[] = {2, 7, 10, 14, 17, 21, 22, 26, 29, 33};
constexpr std::int16_t kMelodyMakerBlow[] = {0, 4, 9, 12, 16, 19, 24, 28, 31, 36};
constexpr std::int16_t kMelodyMakerDraw[] = {2, 7, 11, 14, 18, 21, 23, 26, 30, 33};
constexpr std::int16_t kSpanishBlow[] = {0, 4, 8, 12, 16, 20, 24, 28, 32, 36};
constexpr std::int16_t kSpanishDraw[] = {3, 7, 11, 15, 19, 23, 27, 31, 35, 39};
constexpr std::int16_t kTemptationBlow[] = {0, 3, 7, 10, 12, 15, 19, 22, 24, 27};
constexpr std::int16_t kTemptationDraw[] = {2, 6, 9, 11, 14, 18, 21, 23, 26, 30};
constexpr std::int16_t kSoloBlow[] = {0, 4, 7, 12, 12, 16, 19, 24, 24, 28, 31, 36};
constexpr std::int16_t kSoloDraw[] = {2, 5, 9, 11, 14, 17, 21, 23, 26, 29, 33, 35};
constexpr std::int16_t kFourteenHoleBlow[] = {-12, -8, -5, 0, 4, 7, 12, 16, 19, 24, 28, 31, 36, 40};
constexpr std::int16_t kMarrowDraw[] = {-10, -5, -1, 2, 7, 11, 14, 17, 21, 23, 26, 29, 33, 35};
constexpr std::int16_t k365Draw[] = {-10, -5, -1, 2, 5, 9, 11, 14, 17, 21, 23, 26, 29, 33};

constinit std::array<DiatonicTuning, 12> gDiatonicTunings = {
    Diatonic("Major Diatonic (ritcher)", kRichterBlow, kRichterDraw),
    Diatonic("Country Tuning (Hohner)", kRichterBlow, kCountryDraw),
    Diatonic("Harmonic Minor (Hohner)", kMinorBlow, kHarmonicMinorDraw),
    Diatonic("Natural Minor (Hohner)", kMinorBlow, kNaturalMinorDraw),
    Diatonic("Melody Maker (Vandrel)", kMelodyMakerBlow, kMelodyMakerDraw, 7),
    Diatonic("Augmented Spanish (custom)", kSpanishBlow, kSpanishDraw),
    Diatonic("Temptation Tuning (custom)", kTemptationBlow, kTemptationDraw),
    Diatonic("Solo Tuning (Hohner)", kSoloBlow, kSoloDraw),
    Diatonic("Marrow Special (MWS)", kFourteenHoleBlow, kMarrowDraw),
    Diatonic("Hohner 365", kFourteenHoleBlow, k365Draw),
    FullyValved(Diatonic("Half Valved Major Diatonic", kRichterBlow, kRichterDraw)),
    Diatonic(kCustomTuningName, {}, {}),
};

// The 12-hole instrument; the larger ones add low holes below it, the
// smaller ones keep its first rows. The top hole draws D with the slide in.
constexpr ChromaticHole kStandardRows[] = {
    {0, 1, 2, 3},     {4, 5, 5, 6},     {7, 8, 9, 10},    {12, 13, 11, 12},
    {12, 13, 14, 15}, {16, 17, 17, 18}, {19, 20, 21, 22}, {24, 25, 23, 24},
    {24, 25, 26, 27}, {28, 29, 29, 30}, {31, 32, 33, 34}, {36, 37, 35, 38},
};
constexpr ChromaticHole kSixteenHoleLowRows[] = {
    {-12, -11, -10, -9}, {-8, -7, -7, -6}, {-5, -4, -3, -2}, {0, 1, -1, 0}};
constexpr ChromaticHole kFourteenHoleLowRows[] = {{-5, -4, -3, -2}, {0, 1, -1, 0}};
constexpr ChromaticHole kKochRows[] = {
    {0, 1, 2, 3},     {4, 5, 7, 8},     {7, 8, 11, 12},   {12, 13, 14, 15}, {16, 17, 17, 18},
    {19, 20, 21, 22}, {24, 25, 23, 24}, {28, 29, 26, 27}, {31, 32, 29, 30}, {36, 37, 33, 34},
};
// The slide lowers the note by a semitone.
constexpr ChromaticHole kIrishRows[] = {
    {0, -1, 2, 1},    {4, 3, 5, 4},     {7, 6, 9, 8},     {12, 11, 11, 10},
    {12, 11, 14, 13}, {16, 15, 17, 16}, {19, 18, 21, 20}, {24, 23, 23, 22},
    {24, 23, 26, 25}, {28, 27, 29, 28}, {31, 30, 33, 32}, {36, 35, 35, 34},
};
// Holes 6 and 12 draw with the slide in an octave below the run of the row.
constexpr ChromaticHole kWholeToneRows[] = {
    {0, 1, 1, 2},     {2, 3, 3, 4},     {4, 5, 5, 6},     {6, 7, 7, 8},
    {8, 9, 9, 10},    {10, 11, 11, 0},  {12, 13, 13, 14}, {14, 15, 15, 16},
    {16, 17, 17, 18}, {18, 19, 19, 20}, {20, 21, 21, 22}, {22, 23, 23, 12},
};

constinit std::array<ChromaticTuning, 9> gChromaticTunings = {
    Chromatic("16 Hole Chromatic (std 64)", kSixteenHoleLowRows, kStandardRows),
    Chromatic("14 Hole Chromatic (std 56)", kFourteenHoleLowRows, kStandardRows),
    Chromatic("12 Hole Chromatic (std 48)", {}, kStandardRows),
    Chromatic("10 Hole Chromatic (std 40)", {}, std::span(kStandardRows).first(10)),
    Chromatic(" 8 Hole Chromatic (std 32)", {}, std::span(kStandardRows).first(8)),
    Chromatic("Koch/Slide (ritcher tuned)", {}, kKochRows),
    Chromatic("Irish Tuning (custom)", {}, kIrishRows),
    Chromatic("Whole Tone (custom)", {}, kWholeToneRows),
    Chromatic(kCustomTuningName, {}, {}),
};

}  // namespace

std::span<const DiatonicTuning> DiatonicTunings() {
    return gDiatonicTunings;
}
std::span<const ChromaticTuning> ChromaticTunings() {
    return gChromaticTunings;
}

const DiatonicTuning& DefaultDiatonicTuning() {
    return gDiatonicTunings.front();
}
const ChromaticTuning& DefaultChromaticTuning() {
    return gChromaticTunings[2];
}

DiatonicTuning& CustomDiatonicTuning() {
    return gDiatonicTunings.back();
}
ChromaticTuning& CustomChromaticTuning() {
    return gChromaticTunings.back();
}

}  // namespace tavrino
