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

}  // namespace tavrino
