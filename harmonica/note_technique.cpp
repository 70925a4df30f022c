#include "harmonica/note_technique.h"

namespace tavrino {

NoteTechnique ClassifyNote(const DiatonicLayout& layout, int note) {
    const auto tab = layout.GetFirstTab(note);
    if (!tab) {
        return NoteTechnique::Unavailable;
    }
    switch (tab->kind) {
        case DiatonicKind::Blow:
            return NoteTechnique::Blow;
        case DiatonicKind::Draw:
            return NoteTechnique::Draw;
        case DiatonicKind::Over:
            // A valved hole has no overblow: its Over cell is a valved bend.
            if (tab->valved) {
                return NoteTechnique::Bend;
            }
            return tab->reversed ? NoteTechnique::Overdraw : NoteTechnique::Overblow;
        default:
            return NoteTechnique::Bend;
    }
}

Effort EffortOf(const DiatonicLayout& layout, int note) {
    const auto tab = layout.GetFirstTab(note);
    if (!tab) {
        return Effort::Unavailable;
    }
    switch (tab->kind) {
        case DiatonicKind::Blow:
        case DiatonicKind::Draw:
            return Effort::Plain;
        case DiatonicKind::Over:
            return tab->valved ? Effort::HalfBend : Effort::OverNote;
        case DiatonicKind::Bend1:
            return Effort::HalfBend;
        case DiatonicKind::Bend2:
            return Effort::WholeBend;
        default:
            return Effort::DeepBend;
    }
}

int PlayingCost(const EffortCounts& counts) {
    int cost = 0;
    for (int effort = 0; effort < kEffortCount; ++effort) {
        cost += kEffortWeights[effort] * counts[static_cast<Effort>(effort)];
    }
    return cost;
}

}  // namespace tavrino
