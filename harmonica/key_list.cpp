#include "harmonica/key_list.h"

#include <algorithm>

#include "harmonica/note_naming.h"
#include "song/floor_division.h"

namespace tavrino {

int KeyList::KeyOf(KeyChoice choice, int keyOffset) const {
    return lowestKey_ + 12 * choice.octavePosition + FloorMod(choice.keyPosition - keyOffset, 12);
}

KeyChoice KeyList::ChoiceOf(int key, int keyOffset) const {
    const int octave = FloorDiv(key - lowestKey_, 12);
    return {FloorMod(key + keyOffset - lowestKey_, 12),
            std::clamp(octave, 0, static_cast<int>(kOctaveNames.size()) - 1)};
}

std::string_view KeyList::Name(int keyPosition) const {
    return KeyName(lowestKey_ + keyPosition);
}

std::string KeyList::Title(std::string_view tuningName, int key, int keyOffset) const {
    const KeyChoice choice = ChoiceOf(key, keyOffset);
    std::string title(tuningName);
    title.append(" Key of ")
        .append(Name(choice.keyPosition))
        .append(" (")
        .append(kOctaveNames[choice.octavePosition])
        .append(")");
    return title;
}

}  // namespace tavrino
