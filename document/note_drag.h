#pragma once

#include <cstdint>
#include <span>

#include "document/note_selection.h"

namespace tavrino {

// What a drag must respect of the notes it moves together: no note may
// start before the song or leave the MIDI keys.
struct SelectionBounds {
    std::int32_t earliestStart = 0;
    int lowestKey = 0;
    int highestKey = 127;
};
SelectionBounds BoundsOf(std::span<MidiEvent* const> notes);

// The drag target that keeps every note of the group valid: the group stops
// at the start of the song and at keys 0 and 127 instead of leaving them or
// wrapping round, and the dragged note keeps at least one tick.
NoteDragTarget KeepDragInBounds(const NoteDragTarget& wanted, const MidiEvent& dragged,
                                const SelectionBounds& bounds);

}  // namespace tavrino
