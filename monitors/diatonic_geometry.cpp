#include "monitors/diatonic_geometry.h"

#include <array>

namespace tavrino::diatonic_geometry {

namespace {

struct RowPlace {
    int top;
    int height;
};

// By kind (Over, Draw, Blow, Bend1-3): for holes whose draw reed is the
// higher, then for reversed holes.
constexpr std::array<RowPlace, kDiatonicKindCount> kPlaces = {{
    {34, 16},
    {118, 20},
    {52, 20},
    {140, 16},
    {156, 16},
    {172, 16},
}};
constexpr std::array<RowPlace, kDiatonicKindCount> kReversedPlaces = {{
    {140, 16},
    {118, 20},
    {52, 20},
    {34, 16},
    {18, 16},
    {2, 16},
}};

constexpr int kWindowExtra = 10 + 75;  // the two ends and a gap
constexpr int kExpandButtonTop = 139;

}  // namespace

QRect ButtonRect(int margin, int hole, DiatonicKind kind, bool reversed) {
    const RowPlace place = (reversed ? kReversedPlaces : kPlaces)[static_cast<int>(kind)];
    return {FirstHoleLeft(margin) + kHoleWidth * hole, place.top, kHoleWidth, place.height};
}

int ButtonId(int hole, DiatonicKind kind) {
    return kFirstButtonId + kDiatonicKindCount * hole + static_cast<int>(kind);
}

QSize WindowSize(int holeCount, int margin) {
    return {kHoleWidth * holeCount + kWindowExtra + margin, kWindowHeight};
}

QPoint ExpandButtonPosition(int margin) {
    return {margin, kExpandButtonTop};
}

}  // namespace tavrino::diatonic_geometry
