#pragma once

#include <array>

#include "harmonica/diatonic_layout.h"

namespace tavrino {

// How a diatonic harmonica plays a note by its preferred tab: what the
// diatonic monitor's statistics and the choice of a harmonica for a song
// count.
enum class NoteTechnique {
    Blow,
    Draw,
    Bend,  // a bend, or a valved bend
    Overblow,
    Overdraw,
    Unavailable,  // no hole plays the note
};

inline constexpr int kNoteTechniqueCount = 6;

NoteTechnique ClassifyNote(const DiatonicLayout& layout, int note);

// How hard a note is for a player, by its preferred tab: what the choice of
// a harmonica for a song weighs.
enum class Effort {
    Plain,      // blow or draw
    HalfBend,   // a bend of one semitone, or a valved bend
    WholeBend,  // two semitones
    DeepBend,   // three semitones
    OverNote,   // an overblow or overdraw
    Unavailable,
};

inline constexpr int kEffortCount = 6;

// What one note of each effort costs: an overblow or overdraw more than any
// bend, a deeper bend more than a shallower one, a note the harmonica lacks
// most of all.
inline constexpr std::array<int, kEffortCount> kEffortWeights = {0, 1, 2, 3, 4, 12};

Effort EffortOf(const DiatonicLayout& layout, int note);

// How many notes fall in each class.
template <typename Class, int kClassCount>
class Tally {
public:
    void Add(Class kind, int notes = 1) { counts_[static_cast<int>(kind)] += notes; }
    int operator[](Class kind) const { return counts_[static_cast<int>(kind)]; }

private:
    std::array<int, kClassCount> counts_{};
};

using TechniqueCounts = Tally<NoteTechnique, kNoteTechniqueCount>;
using EffortCounts = Tally<Effort, kEffortCount>;

// The notes' cost by kEffortWeights.
int PlayingCost(const EffortCounts& counts);

}  // namespace tavrino
