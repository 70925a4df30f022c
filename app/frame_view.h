#pragma once

#include <cstdint>

#include "view/tab_text.h"

class QWidget;

namespace tavrino {

// What the main frame asks of the score view: following playback, the
// document's repaints and scroll range, the zoom and the tablature type.
class FrameView {
public:
    virtual ~FrameView() = default;

    // The main window takes the widget over as its central widget.
    virtual QWidget* widget() = 0;

    // The song ticks the view shows.
    virtual std::int32_t FirstTick() const = 0;
    virtual std::int32_t LastTick() const = 0;
    // Repaints everything on the next paint; the view turns its page then.
    virtual void Invalidate() = 0;
    // Paints in the played colour the note, or the pitch-bend mark, of the
    // event with this index in the song's message list.
    virtual void PaintPlayedNote(int eventIndex) = 0;
    virtual void PaintBendStep(int eventIndex) = 0;
    virtual void PaintPositionBand(std::int32_t tick) = 0;

    // The horizontal scroll bar counts quarter notes.
    virtual void SetScrollRange(std::int32_t quarters) = 0;
    virtual void SetScrollPosition(std::int32_t quarter) = 0;
    // Scrolls so that the tick is in sight.
    virtual void ScrollToShow(std::int32_t tick) = 0;

    // Zoom index 0 (50 %) to 4 (200 %).
    virtual int ZoomIndex() const = 0;
    virtual void SetZoomIndex(int index) = 0;
    // 0 notes, 1 diatonic, 2 chromatic tablature.
    virtual void SetTablatureType(int type) = 0;
    // Edit mode shows the edit cursor and lets notes be selected and moved.
    virtual void SetEditMode(bool open) = 0;
    // The tablature the notes carry.
    virtual TabSource Tabs() const = 0;
};

}  // namespace tavrino
