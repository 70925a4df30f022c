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

// How many notes need each technique.
class TechniqueCounts {
public:
    void Add(NoteTechnique technique, int notes = 1) {
        counts_[static_cast<int>(technique)] += notes;
    }
    int operator[](NoteTechnique technique) const { return counts_[static_cast<int>(technique)]; }

private:
    std::array<int, kNoteTechniqueCount> counts_{};
};

}  // namespace tavrino
