#include "view/note_tracker.h"

#include <algorithm>
#include <limits>

#include "view/pointer_geometry.h"

namespace tavrino {

namespace {

constexpr std::int64_t kLatestTick = std::numeric_limits<std::int32_t>::max();

std::int64_t PixelsToTicks(int pixels, const ScoreWindow& window) {
    return std::int64_t{pixels} * window.division / std::max(1, window.pixelsPerQuarter);
}

std::int32_t ToTick(std::int64_t tick) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(tick, 0, kLatestTick));
}

// A half staff step: one sharp or flat up or down.
int VerticalSnap(const ScoreLayout& layout) {
    return std::max(1, layout.stepSpacing / 2);
}

}  // namespace

PixelRect ResizeHandleRect(const PixelRect& frame) {
    const int middle = (frame.top + frame.bottom) / 2;
    return {frame.right, middle - kTrackerHandleSize / 2, frame.right + kTrackerHandleSize,
            middle - kTrackerHandleSize / 2 + kTrackerHandleSize};
}

TrackerGrip GripAt(const PixelRect& frame, int x, int y) {
    if (ResizeHandleRect(frame).Contains(x, y)) {
        return TrackerGrip::kResize;
    }
    return frame.Contains(x, y) ? TrackerGrip::kMove : TrackerGrip::kNone;
}

NoteDragTarget DragTargetOf(const MidiEvent& note, const TrackerDrag& drag,
                            const ScoreLayout& layout, const ScoreWindow& window,
                            const SelectionBounds& bounds) {
    NoteDragTarget target{note.data1, note.time, ToTick(std::int64_t{note.time} + note.duration)};
    if (drag.grip == TrackerGrip::kResize && drag.dx != 0) {
        const std::int64_t end = target.end + PixelsToTicks(drag.dx, window);
        target.end = drag.freeTime ? ToTick(end) : SnapTick(ToTick(end), window.division);
    } else if (drag.grip == TrackerGrip::kMove) {
        if (drag.dx != 0) {
            const std::int64_t start = note.time + PixelsToTicks(drag.dx, window);
            target.start = drag.freeTime ? ToTick(start) : SnapTick(ToTick(start), window.division);
            target.end = ToTick(std::int64_t{target.start} + note.duration);
        }
        const int steps = drag.dy / VerticalSnap(layout);
        if (steps != 0) {
            const PixelRect frame =
                TrackerRect(layout, window, note.data1, note.time, note.duration);
            target.pitch = KeyFromY(layout, window, frame.top + steps * VerticalSnap(layout));
        }
    }
    return KeepDragInBounds(target, note, bounds);
}

PixelRect TrackerRect(const ScoreLayout& layout, const ScoreWindow& window, int key,
                      std::int32_t start, std::int32_t duration) {
    return NoteRect(layout, window, key, start, duration, true);
}

}  // namespace tavrino
