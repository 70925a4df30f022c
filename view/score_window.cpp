#include "view/score_window.h"

#include <algorithm>
#include <cmath>

#include "harmonica/note_naming.h"
#include "view/staff.h"

namespace tavrino {

namespace {

// Far beyond any screen or page, yet safe for the painter's arithmetic: a
// note hours long still ends off the area instead of overflowing.
constexpr std::int64_t kFarPixel = 1 << 22;

bool LiesBeforeWindow(const MidiEvent& event, std::int32_t firstTick) {
    if (event.playable != 0) {
        return std::int64_t{event.time} + event.duration <= firstTick;
    }
    return event.isTextOrLyric() && event.time < firstTick;
}

bool StartsDrawing(const MidiEvent& event, const ScoreWindow& window) {
    if (event.playable != 0) {
        return std::int64_t{event.time} + event.duration > window.firstTick &&
               event.time < window.lastTick;
    }
    return event.isTextOrLyric() && event.time >= window.firstTick;
}

}  // namespace

void SetZoom(ScoreWindow& window, int zoomIndex) {
    window.zoomIndex = std::clamp<int>(zoomIndex, 0, kZoomPixelsPerQuarter.size() - 1);
    window.pixelsPerQuarter = kZoomPixelsPerQuarter[window.zoomIndex];
}

int TickToX(const ScoreLayout& layout, const ScoreWindow& window, std::int32_t tick) {
    const std::int64_t offset =
        (std::int64_t{tick} - window.firstTick) * window.pixelsPerQuarter / window.division;
    return static_cast<int>(layout.notesLeft + std::clamp(offset, -kFarPixel, kFarPixel));
}

std::int32_t XToTick(const ScoreLayout& layout, const ScoreWindow& window, int x) {
    const std::int64_t ticks =
        ((std::int64_t{x} - layout.notesLeft) * window.division + window.pixelsPerQuarter / 2) /
        window.pixelsPerQuarter;
    return static_cast<std::int32_t>(ticks + window.firstTick);
}

int PositionY(const ScoreLayout& layout, const ScoreWindow& window, int position) {
    return layout.middleY - (position - window.centrePosition) * layout.stepSpacing;
}

PixelRect NoteRect(const ScoreLayout& layout, const ScoreWindow& window, int key,
                   std::int32_t start, std::int32_t duration, bool offsetAccidentals) {
    PixelRect rect;
    rect.left = TickToX(layout, window, start);
    rect.right = TickToX(layout, window,
                         static_cast<std::int32_t>(
                             std::min<std::int64_t>(std::int64_t{start} + duration, INT32_MAX)));
    rect.top = PositionY(layout, window, StaffPosition(key)) - layout.lineHeight / 2;
    if (offsetAccidentals) {
        const char accidental = AccidentalMark(key);
        if (accidental == '#') {
            rect.top -= layout.stepSpacing / 2;
        } else if (accidental == 'b') {
            rect.top += layout.stepSpacing / 2;
        }
    }
    rect.bottom = rect.top + layout.lineHeight + 1;
    return rect;
}

int KeyFromY(const ScoreLayout& layout, const ScoreWindow& window, int y) {
    const double halfPosition =
        (2.0 * layout.middleY - 2.0 * y - layout.lineHeight + layout.stepSpacing / 2 - 1) /
            layout.stepSpacing +
        2.0 * window.centrePosition;
    return KeyFromHalfPosition(static_cast<int>(std::floor(halfPosition + 0.5)));
}

bool UpdateWindow(ScoreWindow& window, const ScoreLayout& layout, std::int32_t tick,
                  bool songHasEvents) {
    const auto computeLast = [&window, &layout] {
        const int quarters =
            std::max(0, (layout.right - layout.notesLeft)) / window.pixelsPerQuarter + 1;
        window.visibleTicks = quarters * window.division;
        window.lastTick = window.firstTick + window.visibleTicks;
    };
    computeLast();
    const bool outside = tick < window.firstTick || tick > window.lastTick - 2 * window.division;
    if (!songHasEvents || !outside) {
        return false;
    }
    const std::int32_t quarterStart = std::max(0, tick) / window.division * window.division;
    if (quarterStart == window.firstTick) {
        return false;
    }
    window.firstTick = quarterStart;
    computeLast();
    return true;
}

std::int32_t FirstEventIndex(const MessageList& messages, const ScoreWindow& window,
                             std::int32_t cached) {
    std::size_t index = 0;
    if (cached >= 0 && static_cast<std::size_t>(cached) < messages.size() &&
        LiesBeforeWindow(*messages[cached], window.firstTick)) {
        index = static_cast<std::size_t>(cached);
    }
    for (; index < messages.size(); ++index) {
        if (StartsDrawing(*messages[index], window)) {
            return static_cast<std::int32_t>(index);
        }
    }
    return -1;
}

}  // namespace tavrino
