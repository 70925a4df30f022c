#include "view/tab_track_notation.h"

namespace tavrino {

TabTrackNotation MakeTabTrackNotation(const TabSource& source) {
    TabTrackNotation notation;
    if (source.type == kTablatureDiatonic && source.diatonic != nullptr) {
        notation.description = "Diatonic Tab: " + source.diatonic->GetTitle();
    } else if (source.type == kTablatureChromatic && source.chromatic != nullptr) {
        notation.description = "Chromatic Tab: " + source.chromatic->GetTitle();
    }
    notation.noteText = [source](int key) {
        const NoteTabText text = TabTextForNote(source, key, 0, true);
        return text.symbol + text.holeText;
    };
    return notation;
}

}  // namespace tavrino
