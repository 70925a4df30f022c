#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "song/message_list.h"
#include "view/score_window.h"

namespace tavrino {

// A point of a pitch-bend line: where a bend puts the note it bends.
struct BendPoint {
    int x = 0;
    int y = 0;
    std::int32_t noteIndex = -1;  // the bent note's index in the message list
};

// The notes sounding on each channel while a page's events are walked in
// list order, so that every bend finds the notes it bends without searching
// the page again: a page of bend curves stays linear to paint.
class SoundingNotes {
public:
    // Takes in the event at `index`; the events must come in list order.
    void Pass(const MessageList& messages, std::int32_t index);
    // The points of the bend event `bendIndex`, passed last, on every note of
    // its channel that started before it and still sounds: the note's staff
    // position, raised by the bend (a full bend is one bar height).
    const std::vector<BendPoint>& PointsOf(const MessageList& messages, std::int32_t bendIndex,
                                           const ScoreLayout& layout, const ScoreWindow& window);

private:
    std::array<std::vector<std::int32_t>, 16> notes_;  // note-on indexes per channel
    std::vector<BendPoint> points_;
};

// The points of the bend event `bendIndex` for the notes from
// `firstEventIndex` on, as SoundingNotes gives them.
std::vector<BendPoint> BendPointsOf(const MessageList& messages, std::int32_t firstEventIndex,
                                    std::int32_t bendIndex, const ScoreLayout& layout,
                                    const ScoreWindow& window);

// The last bend point of every channel: a bend line joins two points of the
// same note, also while other channels bend in between.
class BendTrail {
public:
    struct Segment {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;
    };
    // Takes in a point of a bend on the channel; the line from the channel's
    // last point when both lie on the same note and the new one is not left
    // of it.
    std::optional<Segment> Step(int channel, const BendPoint& point);

private:
    std::array<BendPoint, 16> last_;
};

// The selection marks as the band shows them: a mark in view has a line
// (the begin mark just right of its tick, the end mark just left); the run
// between them spans from..to, clipped to the note area.
struct SelectionRun {
    std::optional<int> beginX;
    std::optional<int> endX;
    std::optional<int> from;
    std::optional<int> to;
};
SelectionRun SelectionRunInView(const ScoreLayout& layout, const ScoreWindow& window,
                                std::int32_t beginMark, std::int32_t endMark);

}  // namespace tavrino
