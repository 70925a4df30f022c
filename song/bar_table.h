#pragma once

#include <cstdint>
#include <vector>

namespace tavrino {

struct Bar {
    std::int32_t start = 0;          // tick
    std::int32_t timeSignature = 0;  // index into the song's time signatures
};

// The bars of a song: for each bar its start tick and the time signature in
// force. Read like an array. Bars between two time signatures are equally
// long, so the table keeps one run per signature and computes the bars; its
// size does not depend on the song's length (a tiny hostile file can claim a
// length of millions of bars).
class BarTable {
public:
    void Clear() { runs_.clear(); }
    // Adds `count` bars of `barLength` ticks from `start` under one signature.
    void AppendRun(std::int64_t start, std::int32_t timeSignature, std::int64_t barLength,
                   std::int64_t count);

    std::int64_t size() const {
        return runs_.empty() ? 0 : runs_.back().firstBar + runs_.back().count;
    }
    bool empty() const { return runs_.empty(); }
    Bar operator[](std::int64_t index) const;
    // Index of the last bar that starts at or before the tick, or -1.
    std::int64_t IndexAt(std::int32_t tick) const;

private:
    struct Run {
        std::int64_t firstBar;
        std::int64_t start;
        std::int64_t barLength;
        std::int64_t count;
        std::int32_t timeSignature;
    };
    std::vector<Run> runs_;
};

}  // namespace tavrino
