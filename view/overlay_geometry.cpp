#include "view/overlay_geometry.h"

#include "document/song_edits.h"
#include "view/staff.h"

namespace tavrino {

namespace {

constexpr int kFullBend = 8192;

}  // namespace

void SoundingNotes::Pass(const MessageList& messages, std::int32_t index) {
    const MidiEvent& event = *messages[index];
    if (event.kind() == EventKind::NoteOn) {
        notes_[event.channel()].push_back(index);
    }
}

const std::vector<BendPoint>& SoundingNotes::PointsOf(const MessageList& messages,
                                                      std::int32_t bendIndex,
                                                      const ScoreLayout& layout,
                                                      const ScoreWindow& window) {
    const MidiEvent& bend = *messages[bendIndex];
    std::vector<std::int32_t>& notes = notes_[bend.channel()];
    // Bends come in time order: a note ended by this one is ended for all
    // that follow.
    std::erase_if(notes, [&](std::int32_t index) {
        const MidiEvent& note = *messages[index];
        return std::int64_t{note.time} + note.duration <= bend.time;
    });
    points_.clear();
    const int x = TickToX(layout, window, bend.time);
    for (const std::int32_t index : notes) {
        const MidiEvent& note = *messages[index];
        if (note.time < bend.time) {
            const int y = PositionY(layout, window, StaffPosition(note.data1)) -
                          bend.value() * layout.lineHeight / kFullBend;
            points_.push_back({x, y, index});
        }
    }
    return points_;
}

std::vector<BendPoint> BendPointsOf(const MessageList& messages, std::int32_t firstEventIndex,
                                    std::int32_t bendIndex, const ScoreLayout& layout,
                                    const ScoreWindow& window) {
    if (firstEventIndex < 0 || bendIndex < firstEventIndex ||
        static_cast<std::size_t>(bendIndex) >= messages.size()) {
        return {};
    }
    SoundingNotes sounding;
    for (std::int32_t index = firstEventIndex; index < bendIndex; ++index) {
        sounding.Pass(messages, index);
    }
    return sounding.PointsOf(messages, bendIndex, layout, window);
}

std::optional<BendTrail::Segment> BendTrail::Step(int channel, const BendPoint& point) {
    BendPoint& last = last_[static_cast<std::size_t>(channel) & 15];
    std::optional<Segment> segment;
    if (point.noteIndex == last.noteIndex && point.x >= last.x) {
        segment = Segment{last.x, last.y, point.x, point.y};
    }
    last = point;
    return segment;
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
