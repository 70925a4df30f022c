#include "document/note_drag.h"

#include <algorithm>
#include <limits>

namespace tavrino {

namespace {

constexpr std::int64_t kLatestTick = std::numeric_limits<std::int32_t>::max();

}  // namespace

SelectionBounds BoundsOf(std::span<MidiEvent* const> notes) {
    if (notes.empty()) {
        return {};
    }
    SelectionBounds bounds{std::numeric_limits<std::int32_t>::max(), 127, 0};
    for (const MidiEvent* note : notes) {
        bounds.earliestStart = std::min(bounds.earliestStart, note->time);
        bounds.lowestKey = std::min<int>(bounds.lowestKey, note->data1);
        bounds.highestKey = std::max<int>(bounds.highestKey, note->data1);
    }
    return bounds;
}

NoteDragTarget KeepDragInBounds(const NoteDragTarget& wanted, const MidiEvent& dragged,
                                const SelectionBounds& bounds) {
    const std::int64_t shift = std::max<std::int64_t>(std::int64_t{wanted.start} - dragged.time,
                                                      -std::int64_t{bounds.earliestStart});
    const std::int64_t start = std::min(dragged.time + shift, kLatestTick - 1);
    const std::int64_t end = std::clamp<std::int64_t>(
        std::int64_t{wanted.end} + (start - wanted.start), start + 1, kLatestTick);
    const int offset =
        std::clamp(wanted.pitch - dragged.data1, -bounds.lowestKey, 127 - bounds.highestKey);
    return {dragged.data1 + offset, static_cast<std::int32_t>(start),
            static_cast<std::int32_t>(end)};
}

}  // namespace tavrino
