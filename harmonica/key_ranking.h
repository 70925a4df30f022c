#pragma once

#include <array>
#include <vector>

#include "harmonica/key_list.h"
#include "harmonica/note_index.h"
#include "harmonica/note_technique.h"
#include "harmonica/tunings.h"

namespace tavrino {

// How often each MIDI note sounds in the part to be played.
using NoteHistogram = std::array<int, kNoteCount>;

// How one diatonic harmonica of a tuning plays a part.
struct KeyFit {
    KeyChoice choice;  // in kDiatonicKeys
    int key = 0;       // the layout's key
    TechniqueCounts counts;
    EffortCounts efforts;
    int cost = 0;  // PlayingCost of the efforts
};

// How the harmonica plays the notes, each by its preferred tab.
TechniqueCounts CountTechniques(const DiatonicLayout& layout, const NoteHistogram& notes);

// Which harmonica to pick: for each of the twelve keys of the diatonic key
// list, the octave that plays the part best, that is at the lowest playing
// cost, then with the fewest unavailable notes (left equal, the octave
// nearest "Std"). Best key first, by the same order; keys that play the
// part equally well keep the list's order.
std::vector<KeyFit> RankDiatonicKeys(const NoteHistogram& notes, const DiatonicTuning& tuning);

}  // namespace tavrino
