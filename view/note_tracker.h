#pragma once

#include <cstdint>

#include "document/note_drag.h"
#include "view/score_window.h"

namespace tavrino {

// How the pointer takes hold of a selected note's frame: by its inside to
// move it in time and pitch, or by the handle in the middle of its right
// side to stretch it.
enum class TrackerGrip { kNone, kMove, kResize };

inline constexpr int kTrackerHandleSize = 7;

// The stretch handle, just outside the frame's right side.
PixelRect ResizeHandleRect(const PixelRect& frame);
TrackerGrip GripAt(const PixelRect& frame, int x, int y);

// The pointer's way since the button went down on a frame.
struct TrackerDrag {
    TrackerGrip grip = TrackerGrip::kNone;
    int dx = 0;
    int dy = 0;
    bool freeTime = false;  // no snapping to the twenty-fourth grid in time
};

// Where a drag puts the dragged note. Moving keeps the length and shifts
// the start in whole grid steps and the pitch in half staff steps; stretching
// moves only the end. What the pointer did not move keeps its exact tick and
// key, and the group stays within its bounds.
NoteDragTarget DragTargetOf(const MidiEvent& note, const TrackerDrag& drag,
                            const ScoreLayout& layout, const ScoreWindow& window,
                            const SelectionBounds& bounds);

// The frame of a note in edit mode, where sharps and flats sit off their
// naturals.
PixelRect TrackerRect(const ScoreLayout& layout, const ScoreWindow& window, int key,
                      std::int32_t start, std::int32_t duration);

}  // namespace tavrino
