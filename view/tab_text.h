#pragma once

#include <optional>
#include <string>

#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "settings/settings.h"

namespace tavrino {

// What the note bars carry: the note's name, or diatonic or chromatic tabs.
enum TablatureType : int { kTablatureNotes = 0, kTablatureDiatonic = 1, kTablatureChromatic = 2 };

// Where tablature comes from. The layouts must outlive its use.
struct TabSource {
    int type = kTablatureNotes;
    const DiatonicLayout* diatonic = nullptr;
    const ChromaticLayout* chromatic = nullptr;
    TabSymbols symbols;
    int namingSystem = 0;
};

// The texts written on and above one note bar.
struct NoteTabText {
    std::string symbol;    // the action symbol
    std::string holeText;  // the hole (or the note's name when no tab exists)
    bool lowHole = false;
    char accidental = ' ';
    std::optional<Colour> brush;  // the harmonica's colour for this action
    bool exists = false;          // false: no such alternate
};

// The `alternate`-th way (0 = preferred) to play the key. `plain` writes the
// blow and draw marks as "+" and "-" and the chromatic slide as "s", for
// plain text that any font shows.
NoteTabText TabTextForNote(const TabSource& source, int key, int alternate, bool plain);

}  // namespace tavrino
