#pragma once

#include <span>
#include <vector>

namespace tavrino {

// One text of the score's text row: where it starts and how wide it is.
struct TextRowSpan {
    int left = 0;
    int width = 0;
};

// The line (0 at the top) each text of the row is written on, for texts in
// order of their left edge: a text that would overlap the previous one on a
// line moves down a line, so a "Chorus" over the lyric "twin-" at the same
// tick, or syllables crowded at a small zoom, stay readable. With every line
// taken the text goes on the last one.
std::vector<int> PlaceTextRowLines(std::span<const TextRowSpan> texts, int lineCount);

}  // namespace tavrino
