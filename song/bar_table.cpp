#include "song/bar_table.h"

#include <algorithm>

namespace tavrino {

void BarTable::AppendRun(std::int64_t start, std::int32_t timeSignature, std::int64_t barLength,
                         std::int64_t count) {
    if (count > 0) {
        runs_.push_back({size(), start, barLength, count, timeSignature});
    }
}

Bar BarTable::operator[](std::int64_t index) const {
    const auto run = std::prev(std::upper_bound(
        runs_.begin(), runs_.end(), index,
        [](std::int64_t bar, const Run& candidate) { return bar < candidate.firstBar; }));
    return {static_cast<std::int32_t>(run->start + (index - run->firstBar) * run->barLength),
            run->timeSignature};
}

std::int64_t BarTable::IndexAt(std::int32_t tick) const {
    // Bar starts never decrease, so the last run starting at or before the
    // tick holds the answer.
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), std::int64_t{tick},
                         [](std::int64_t t, const Run& candidate) { return t < candidate.start; });
    if (after == runs_.begin()) {
        return -1;
    }
    const Run& run = *std::prev(after);
    const std::int64_t within = std::min((tick - run.start) / run.barLength, run.count - 1);
    return run.firstBar + within;
}

}  // namespace tavrino
