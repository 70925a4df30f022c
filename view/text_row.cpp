#include "view/text_row.h"

#include <algorithm>
#include <climits>

namespace tavrino {

namespace {

// The blank kept between two texts on a line.
constexpr int kTextGap = 3;

}  // namespace

std::vector<int> PlaceTextRowLines(std::span<const TextRowSpan> texts, int lineCount) {
    std::vector<int> lines;
    lines.reserve(texts.size());
    std::vector<int> lineEnd(static_cast<std::size_t>(std::max(1, lineCount)), INT_MIN);
    const int lastLine = static_cast<int>(lineEnd.size()) - 1;
    for (const TextRowSpan& text : texts) {
        int line = 0;
        while (line < lastLine && text.left < lineEnd[static_cast<std::size_t>(line)]) {
            ++line;
        }
        lineEnd[static_cast<std::size_t>(line)] = text.left + text.width + kTextGap;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tavrino
