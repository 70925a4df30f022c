#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavrino {

// Octave names of a harmonica's key, low to high.
inline constexpr std::array<std::string_view, 5> kOctaveNames = {"-2", "Low", "Std", "High", "+2"};

// A key as the selectors show it: a position in the list of twelve key
// names and a position in kOctaveNames.
struct KeyChoice {
    int keyPosition = 0;
    int octavePosition = 0;

    friend bool operator==(const KeyChoice&, const KeyChoice&) = default;
};

// The keys a kind of harmonica is sold in: twelve names upward from the
// lowest key, in each of five octaves. A tuning's keyOffset sells its reeds
// under another name (reeds on C sold as a G harmonica): the offset is added
// when a key is named, while the octave is that of the reeds, so each octave
// spans the same twelve reed keys whatever the tuning's names.
class KeyList {
public:
    constexpr explicit KeyList(int lowestKey) : lowestKey_(lowestKey) {}

    int KeyOf(KeyChoice choice, int keyOffset = 0) const;
    // The inverse of KeyOf. A key outside the list's five octaves is named
    // by the nearest octave, so every key has a title.
    KeyChoice ChoiceOf(int key, int keyOffset = 0) const;
    std::string_view Name(int keyPosition) const;
    // "<tuning name> Key of <key name> (<octave name>)".
    std::string Title(std::string_view tuningName, int key, int keyOffset = 0) const;

private:
    int lowestKey_;
};

// The diatonic list runs from G: "Std" spans G (55) to F# (66), C being 60.
inline constexpr KeyList kDiatonicKeys{31};
// The chromatic list runs from Db: "Std" spans Db (49) to C (60).
inline constexpr KeyList kChromaticKeys{25};

}  // namespace tavrino
