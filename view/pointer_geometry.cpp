#include "view/pointer_geometry.h"

#include <algorithm>
#include <cmath>

#include "view/score_scene.h"

namespace tavrino {

std::int32_t SnapTick(std::int32_t tick, int division) {
    if (division <= 0) {
        return tick;
    }
    const std::int32_t within = tick % division;
    const double grid = division / 24.0;
    const double steps = std::trunc((within + grid / 2) / grid);
    return tick - within + static_cast<std::int32_t>(std::trunc(steps * grid));
}

std::int32_t TickUnderPointer(const ScoreLayout& layout, const ScoreWindow& window, int x,
                              bool snap) {
    const std::int32_t tick = XToTick(layout, window, std::max(x, layout.notesLeft));
    return snap ? SnapTick(tick, window.division) : tick;
}

bool InMarkBand(const ScoreLayout& layout, const ScoreWindow& window, int x, int y) {
    return y <= layout.staffTop && x >= layout.notesLeft / 2 && window.pixelsPerQuarter != 0;
}

bool OverMarkBand(const ScoreLayout& layout, int x, int y) {
    return y >= 0 && y <= layout.staffTop && x > layout.notesLeft && x <= layout.right2;
}

void PlaceBeginMarkAt(std::int32_t& beginMark, std::int32_t& endMark, std::int32_t tick) {
    beginMark = tick;
    if (endMark <= tick) {
        endMark = kNoMark;
    }
}

void PlaceEndMarkAt(std::int32_t& beginMark, std::int32_t& endMark, std::int32_t tick) {
    endMark = tick;
    if (beginMark >= tick) {
        beginMark = kNoMark;
    }
}

std::optional<NoteHit> HitNote(const MessageList& messages, std::int32_t firstEventIndex,
                               const ScoreLayout& layout, const ScoreWindow& window, int x, int y,
                               bool offsetAccidentals) {
    std::optional<NoteHit> hit;
    for (std::size_t index = static_cast<std::size_t>(std::max(0, firstEventIndex));
         index < messages.size() && messages[index]->time < window.lastTick; ++index) {
        const MidiEvent& event = *messages[index];
        if (event.playable == 0 || !TrackShownOnScore(event.track, false)) {
            continue;
        }
        const PixelRect rect =
            NoteRect(layout, window, event.data1, event.time, event.duration, offsetAccidentals);
        if (rect.Contains(x, y)) {
            hit = NoteHit{static_cast<std::int32_t>(index), rect};
        }
    }
    return hit;
}

}  // namespace tavrino
