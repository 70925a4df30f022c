#include "harmonica/key_list.h"

#include <algorithm>

#include "harmonica/note_naming.h"

namespace tavrino {

namespace {

// Division and remainder rounding down, so that keys below the list fall into
// lower octaves with the right key names.
int FloorDiv(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

int FloorMod(int value, int divisor) {
    return value - divisor * FloorDiv(value, divisor);
}

}  // namespace

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
