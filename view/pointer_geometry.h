#pragma once

#include <cstdint>
#include <optional>

#include "song/message_list.h"
#include "view/score_window.h"

namespace tavrino {

// The tick to the nearest twenty-fourth of a quarter note: the finest grid a
// click or a drag lands on. Unchanged without a division.
std::int32_t SnapTick(std::int32_t tick, int division);

// The tick under the pointer's x, not left of the note area, snapped unless
// `snap` is off.
std::int32_t TickUnderPointer(const ScoreLayout& layout, const ScoreWindow& window, int x,
                              bool snap);

// The band above the staff, where clicks place the selection marks.
bool InMarkBand(const ScoreLayout& layout, const ScoreWindow& window, int x, int y);
// Where the pointer shows the up arrow: the band over the note area.
bool OverMarkBand(const ScoreLayout& layout, int x, int y);

// Marks placed by a click in the band. The other mark goes when it would no
// longer enclose a selection.
void PlaceBeginMarkAt(std::int32_t& beginMark, std::int32_t& endMark, std::int32_t tick);
void PlaceEndMarkAt(std::int32_t& beginMark, std::int32_t& endMark, std::int32_t tick);

// A drawn note under the pointer: its index in the message list and its bar.
struct NoteHit {
    std::int32_t index = -1;
    PixelRect rect;
};

// The note bar under (x, y) among the window's notes from `firstEventIndex`;
// where bars overlap, the one drawn last (on top). Only notes the score
// draws can be hit: a click never picks an invisible one.
std::optional<NoteHit> HitNote(const MessageList& messages, std::int32_t firstEventIndex,
                               const ScoreLayout& layout, const ScoreWindow& window, int x, int y,
                               bool offsetAccidentals);

}  // namespace tavrino
