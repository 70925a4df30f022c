#pragma once

#include <optional>

namespace tavrino {

// The geometry of one area the score is drawn into: the window on screen, or
// one line of a printed page. Pixels; right and bottom are exclusive.
struct ScoreLayout {
    static constexpr int kClefWidth = 45;   // left of the note area
    static constexpr int kBandHeight = 10;  // above the staff: the position band
    // Below the staff: text and lyrics, on two lines so that crowded texts
    // need not overlap.
    static constexpr int kTextRowHeight = 32;
    static constexpr int kTextRowLines = 2;
    static constexpr int kUnknown = -1;

    int left = 0;
    int top = 0;
    int notesLeft = 0;
    int staffTop = 0;
    int right = 0;
    int staffBottom = 0;
    int right2 = 0;  // right edge of the whole area
    int bottom = 0;
    int lineHeight = kUnknown;  // height of a note bar, even
    int middleY = 0;
    int stepSpacing = 1;  // pixels between two adjacent staff positions
    int visibleSteps = 0;
    bool notesAbove = false;  // a drawn note lies above or below the staff area
    bool notesBelow = false;
    int tabStaffSpace = 0;
    bool showTreble = true;
    bool showBass = true;
};

// Moves the given edges (an empty one stays) in the order right, bottom,
// left, top, then, once lineHeight is known, recomputes the spacing.
void SetLayoutEdges(ScoreLayout& layout, std::optional<int> left, std::optional<int> top,
                    std::optional<int> right, std::optional<int> bottom);

// Sets lineHeight from the height of a digit in the tablature font and
// recomputes the spacing: the bar is one pixel shorter than the text, made
// even so that it centres on a staff position.
void SetLineHeight(ScoreLayout& layout, int digitHeight);

}  // namespace tavrino
