#pragma once

// Lateness figures shared by the benchmarks of real-time playing.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrino::bench {

struct Lateness {
    double p50 = 0;  // µs
    double p99 = 0;
    double max = 0;
    std::size_t count = 0;
};

// The distribution of `distances`, given in nanoseconds.
Lateness Summarize(std::vector<std::int64_t> distances);

// The dense song of `seconds` played in real time into the recorder: how
// late each note reached it.
Lateness StreamIntoRecorder(int seconds);

// A thread sleeping to `deadlines` deadlines 2 ms apart, with the stream's
// timer slack and priority when `sharpened`.
Lateness BareThread(int deadlines, bool sharpened);

}  // namespace tavrino::bench
