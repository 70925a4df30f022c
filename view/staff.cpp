#include "view/staff.h"

#include <array>

#include "song/floor_division.h"

namespace tavrino {

namespace {

constexpr std::array<int, 12> kStepOfPitchClass = {0, 0, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};
constexpr std::array<int, kHalfPositionsPerOctave> kPitchClassOfHalfPosition = {
    0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9, 10, 11, 11};

}  // namespace

int StaffPosition(int key) {
    const int octave = FloorDiv(key, 12);
    return kStepOfPitchClass[key - octave * 12] + octave * kPositionsPerOctave;
}

int KeyFromHalfPosition(int halfPosition) {
    // Floor division keeps pointers below the lowest octave from indexing
    // outside the table.
    const int octave = FloorDiv(halfPosition, kHalfPositionsPerOctave);
    return kPitchClassOfHalfPosition[halfPosition - octave * kHalfPositionsPerOctave] + octave * 12;
}

bool IsStaffLine(int position) {
    return position % 2 != 0 &&
           ((position > 35 && position < 46) || (position > 24 && position < 35));
}

bool IsLedgerLine(int position) {
    return position % 2 != 0 && !(position >= 36 && position <= 45) &&
           !(position >= 25 && position <= 34);
}

}  // namespace tavrino
