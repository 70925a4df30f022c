#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "harmonica/diatonic_layout.h"

namespace tavrino {

// Where the diatonic monitor puts things. The harmonica is drawn right of
// `margin`: the side panel's width when it is shown, a small gap when not.
namespace diatonic_geometry {

inline constexpr int kExpandedMargin = 145;
inline constexpr int kCollapsedMargin = 5;
inline constexpr int kWindowHeight = 218;
inline constexpr int kHoleWidth = 20;
inline constexpr int kBodyTop = 75;
inline constexpr int kBodyHeight = 40;
inline constexpr int kEndWidth = 25;
// The first button id; each hole has six kinds.
inline constexpr int kFirstButtonId = 33588;

// A hole's button of the kind. Blow bends stand above the blow row and draw
// bends hang below the draw row; an overblow sits above the blow row, an
// overdraw below the draw row.
QRect ButtonRect(int margin, int hole, DiatonicKind kind, bool reversed);
int ButtonId(int hole, DiatonicKind kind);
// The window's size for the number of holes.
QSize WindowSize(int holeCount, int margin);
// The left edge of hole 0's cell.
inline int FirstHoleLeft(int margin) {
    return margin + 2 * kEndWidth;
}
QPoint ExpandButtonPosition(int margin);

}  // namespace diatonic_geometry

}  // namespace tavrino
