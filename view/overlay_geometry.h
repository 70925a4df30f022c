#pragma once

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

// The points of the bend event `bendIndex` on every note of its channel that
// sounds at its tick, searched from `firstEventIndex`: the note's staff
// position, raised by the bend (a full bend is one bar height).
std::vector<BendPoint> BendPointsOf(const MessageList& messages, std::int32_t firstEventIndex,
                                    std::int32_t bendIndex, const ScoreLayout& layout,
                                    const ScoreWindow& window);

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
