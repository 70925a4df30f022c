#pragma once

#include <cstdint>

namespace tavrino {

// The time of each stream tick, in nanoseconds, under a tempo, a division and
// a speed percent that may change while playing: a chain of linear pieces,
// each starting at the exact time of its first tick. Nothing is rounded but
// the start of each piece (below a nanosecond), so the timing of a long song
// with many tempo changes does not drift.
class StreamTimeline {
public:
    // Tick 0 falls at `time`.
    void Start(std::int64_t time);
    // A new piece begins at `tick`: the changes that follow take effect there.
    void Rebase(std::int64_t tick);

    void SetTempo(std::uint32_t microsecondsPerQuarter) { tempo_ = microsecondsPerQuarter; }
    // Values below 1 count as 1.
    void SetDivision(int ticksPerQuarter);
    void SetPercent(int percent);

    // The first nanosecond at which the tick has been reached.
    std::int64_t TimeAt(std::int64_t tick) const;
    // The last whole tick reached at `time`.
    std::int64_t TickAt(std::int64_t time) const;

private:
    std::int64_t originTick_ = 0;
    std::int64_t originTime_ = 0;
    std::uint32_t tempo_ = 500000;
    std::int64_t division_ = 192;
    std::int64_t percent_ = 100;
};

}  // namespace tavrino
