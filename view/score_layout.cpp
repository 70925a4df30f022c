#include "view/score_layout.h"

#include <algorithm>

namespace tavrino {

namespace {

void ComputeSpacing(ScoreLayout& layout) {
    layout.middleY = (layout.staffBottom + layout.staffTop) / 2;
    // A tiny font with no extra space would give no spacing at all; every
    // position needs at least a pixel of its own.
    layout.stepSpacing = std::max(1, layout.lineHeight / 2 + 2 * layout.tabStaffSpace);
    layout.visibleSteps = ((layout.middleY - layout.staffTop) / layout.stepSpacing) * 2;
}

}  // namespace

void SetLayoutEdges(ScoreLayout& layout, std::optional<int> left, std::optional<int> top,
                    std::optional<int> right, std::optional<int> bottom) {
    if (right) {
        layout.right = *right;
        layout.right2 = *right;
    }
    if (bottom) {
        layout.staffBottom = *bottom - ScoreLayout::kTextRowHeight;
        layout.bottom = *bottom;
    }
    if (left) {
        layout.left = *left;
        layout.notesLeft = std::min(*left + ScoreLayout::kClefWidth, layout.right);
    }
    if (top) {
        layout.top = *top;
        layout.staffTop = std::min(*top + ScoreLayout::kBandHeight, layout.staffBottom);
    }
    if (layout.lineHeight != ScoreLayout::kUnknown) {
        ComputeSpacing(layout);
    }
}

void SetLineHeight(ScoreLayout& layout, int digitHeight) {
    layout.lineHeight = std::max(0, (digitHeight - 1) / 2 * 2);
    ComputeSpacing(layout);
}

}  // namespace tavrino
