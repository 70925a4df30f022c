#include "harmonica/note_naming.h"

#include <array>

#include "settings/settings.h"
#include "song/floor_division.h"

namespace tavrino {

namespace {

using PitchNames = std::array<std::string_view, 12>;

struct NamingSystem {
    PitchNames names;
    std::string_view title;
};

constexpr std::array<NamingSystem, kNamingSystemCount> kSystems = {{
    {{"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"}, "C D E F G A B"},
    {{"C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "B", "H"}, "C D E F G A H"},
    {{"DO", "DO#", "RE", "MIb", "MI", "FA", "FA#", "SOL", "LAb", "LA", "TIb", "TI"},
     "DO RE MI FA SOL LA TI"},
    {{"DO", "DO#", "RE", "MIb", "MI", "FA", "FA#", "SOL", "LAb", "LA", "SIb", "SI"},
     "DO RE MI FA SOL LA SI"},
    {{"UT", "UT#", "RE", "MIb", "MI", "FA", "FA#", "SOL", "LAb", "LA", "TIb", "TI"},
     "UT RE MI FA SOL LA TI"},
}};

constexpr PitchNames kKeyNames = {"C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};

constexpr int PitchClass(int note) {
    return FloorMod(note, 12);
}

bool IsSystem(int system) {
    return system >= 0 && system < kNamingSystemCount;
}

}  // namespace

std::string_view NoteName(int note, int system) {
    return kSystems[IsSystem(system) ? system : 0].names[PitchClass(note)];
}

char AccidentalMark(int note) {
    const std::string_view name = kSystems[0].names[PitchClass(note)];
    return name.size() > 1 ? name[1] : ' ';
}

std::string_view NamingSystemName(int system) {
    return IsSystem(system) ? kSystems[system].title : std::string_view();
}

std::string_view KeyName(int pitchClass) {
    return kKeyNames[PitchClass(pitchClass)];
}

int ParseNoteName(std::string_view word) {
    if (word.empty()) {
        return -1;
    }
    const PitchNames& names = kSystems[0].names;
    for (int pitch = 0; pitch < 12; ++pitch) {
        if (names[pitch].size() != 1 || names[pitch][0] != word[0]) {
            continue;
        }
        if (word.size() > 1 && word[1] == 'b') {
            return pitch - 1;
        }
        if (word.size() > 1 && word[1] == '#') {
            return pitch + 1;
        }
        return pitch;
    }
    return -1;
}

}  // namespace tavrino
