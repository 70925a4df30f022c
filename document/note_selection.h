#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "song/midi_event.h"

namespace tavrino {

// Where the user dragged a selected note: its new pitch, start and end.
struct NoteDragTarget {
    int pitch = 0;
    std::int32_t start = 0;
    std::int32_t end = 0;
};

// The score view's selected notes (its note trackers), in selection order.
class NoteSelection {
public:
    virtual ~NoteSelection() = default;

    virtual std::size_t Count() const = 0;
    virtual MidiEvent* NoteAt(std::size_t index) const = 0;
    // Empty when the drag of that note did not end on a valid target.
    virtual std::optional<NoteDragTarget> DragTarget(std::size_t index) const = 0;
    // The note changed; its frame must follow.
    virtual void Update(std::size_t index) = 0;
    virtual void Remove(std::size_t index) = 0;
};

}  // namespace tavrino
