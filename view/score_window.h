#pragma once

#include <array>
#include <cstdint>

#include "song/message_list.h"
#include "view/score_layout.h"

namespace tavrino {

// Pixels per quarter note of each zoom index. 150 % draws 90 pixels, not
// 108: the time scale's steps stay even on screen.
inline constexpr std::array<int, 5> kZoomPixelsPerQuarter = {36, 54, 72, 90, 144};
inline constexpr int kDefaultZoomIndex = 2;

// The vertical scroll moves the staff position drawn at the middle.
inline constexpr int kLowestCentrePosition = 3;
inline constexpr int kHighestCentrePosition = 67;
inline constexpr int kDefaultCentrePosition = 37;

// Which part of the song the view shows: the time window and the pitch at
// its middle.
struct ScoreWindow {
    int zoomIndex = kDefaultZoomIndex;
    int pixelsPerQuarter = kZoomPixelsPerQuarter[kDefaultZoomIndex];
    std::int32_t firstTick = 0;
    std::int32_t visibleTicks = 0;
    std::int32_t lastTick = 0;
    int centrePosition = kDefaultCentrePosition;
    int division = 1;  // the song's ticks per quarter note, at least 1
};

// A rectangle in pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The window's zoom index, clamped to the table, and its pixels per quarter.
void SetZoom(ScoreWindow& window, int zoomIndex);

int TickToX(const ScoreLayout& layout, const ScoreWindow& window, std::int32_t tick);
// Rounded to the nearest tick.
std::int32_t XToTick(const ScoreLayout& layout, const ScoreWindow& window, int x);

// The y of a staff position's middle.
int PositionY(const ScoreLayout& layout, const ScoreWindow& window, int position);

// A note bar from start to start + duration. With `offsetAccidentals`, a
// sharp sits half a step above its natural and a flat half a step below.
PixelRect NoteRect(const ScoreLayout& layout, const ScoreWindow& window, int key,
                   std::int32_t start, std::int32_t duration, bool offsetAccidentals);
// The key whose bar covers the pixel row. Far above or below the staff it
// lies outside 0..127: the caller decides whether to ignore or to stop there.
int KeyFromY(const ScoreLayout& layout, const ScoreWindow& window, int y);

// Recomputes the visible ticks and, when the tick lies before the window or
// within two quarter notes of its end, moves the window to start at the
// tick's quarter note. True when the window moved.
bool UpdateWindow(ScoreWindow& window, const ScoreLayout& layout, std::int32_t tick,
                  bool songHasEvents);

// Where drawing starts in the message list: the first note that reaches into
// the window or the first text at or after its start; -1 when there is none.
// `cached` speeds up the search when it still lies before the window.
std::int32_t FirstEventIndex(const MessageList& messages, const ScoreWindow& window,
                             std::int32_t cached);

}  // namespace tavrino
