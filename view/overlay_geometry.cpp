#include "view/overlay_geometry.h"

#include "document/song_edits.h"
#include "view/staff.h"

namespace tavrino {

namespace {

constexpr int kFullBend = 8192;

}  // namespace

std::vector<BendPoint> BendPointsOf(const MessageList& messages, std::int32_t firstEventIndex,
                                    std::int32_t bendIndex, const ScoreLayout& layout,
                                    const ScoreWindow& window) {
    std::vector<BendPoint> points;
    if (firstEventIndex < 0 || bendIndex < 0 ||
        static_cast<std::size_t>(bendIndex) >= messages.size()) {
        return points;
    }
    const MidiEvent& bend = *messages[bendIndex];
    const int x = TickToX(layout, window, bend.time);
    for (std::size_t index = firstEventIndex;
         index < messages.size() && messages[index]->time < bend.time; ++index) {
        const MidiEvent& note = *messages[index];
        if (note.kind() != EventKind::NoteOn || note.channel() != bend.channel() ||
            std::int64_t{note.time} + note.duration <= bend.time) {
            continue;
        }
        const int y = PositionY(layout, window, StaffPosition(note.data1)) -
                      bend.value() * layout.lineHeight / kFullBend;
        points.push_back({x, y, static_cast<std::int32_t>(index)});
    }
    return points;
}

SelectionRun SelectionRunInView(const ScoreLayout& layout, const ScoreWindow& window,
                                std::int32_t beginMark, std::int32_t endMark) {
    SelectionRun run;
    if (beginMark == kNoMark && endMark == kNoMark) {
        return run;
    }
    const auto inView = [&window](std::int32_t mark) {
        return mark >= window.firstTick && mark <= window.lastTick;
    };
    if (beginMark == kNoMark || beginMark < window.firstTick) {
        run.from = 0;
    } else if (inView(beginMark)) {
        run.beginX = TickToX(layout, window, beginMark) + 1;
        run.from = run.beginX;
    }
    if (endMark == kNoMark || endMark > window.lastTick) {
        run.to = layout.right;
    } else if (inView(endMark)) {
        run.endX = TickToX(layout, window, endMark) - 1;
        run.to = run.endX;
    }
    return run;
}

}  // namespace tavrino
