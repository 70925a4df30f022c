#include "player/stream_timeline.h"

#include <gtest/gtest.h>

#include <random>

namespace tavrino {
namespace {

// Ten minutes and more of song with hundreds of tempo changes, at a speed
// whose tempo × 100 / percent is not whole: every change's time stays
// within a nanosecond per change of the exact sum of the pieces.
TEST(StreamTimeline, StaysExactThroughHundredsOfTempoChanges) {
    constexpr int kDivision = 480;
    constexpr int kPercent = 70;
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> tempos(200000, 900000);
    std::uniform_int_distribution<std::int64_t> lengths(1, 4 * kDivision);

    StreamTimeline timeline;
    timeline.SetDivision(kDivision);
    timeline.SetPercent(kPercent);
    timeline.Start(1000);
    std::int64_t tick = 0;
    std::int64_t sum = 0;  // Σ ticks × tempo over the pieces so far
    std::uint32_t tempo = 500000;
    timeline.SetTempo(tempo);
    for (int change = 0; change < 800; ++change) {
        const std::int64_t length = lengths(random);
        tick += length;
        sum += length * tempo;
        const std::int64_t exact = 1000 + sum * 100000 / (kDivision * kPercent);
        ASSERT_GE(timeline.TimeAt(tick), exact);
        ASSERT_LE(timeline.TimeAt(tick), exact + change + 1) << "after " << change << " changes";
        timeline.Rebase(tick);
        tempo = tempos(random);
        timeline.SetTempo(tempo);
    }
    EXPECT_GT(timeline.TimeAt(tick), 600'000'000'000) << "the test covers ten minutes";
}

TEST(StreamTimeline, TickAtIsTheLastTickReachedAtATime) {
    StreamTimeline timeline;
    timeline.SetDivision(96);
    timeline.SetPercent(133);
    timeline.SetTempo(612345);
    timeline.Start(-5000);
    timeline.Rebase(1000);
    for (const std::int64_t tick : {1001, 1777, 96'000, 12'345'678}) {
        const std::int64_t time = timeline.TimeAt(tick);
        EXPECT_EQ(timeline.TickAt(time), tick);
        EXPECT_EQ(timeline.TickAt(time - 2), tick - 1);
    }
    EXPECT_EQ(timeline.TickAt(-100000), 1000) << "no tick before the piece's start";
}

TEST(StreamTimeline, DivisionAndPercentBelowOneCountAsOne) {
    StreamTimeline timeline;
    timeline.SetDivision(0);
    timeline.SetPercent(-5);
    timeline.SetTempo(1000);
    timeline.Start(0);
    EXPECT_EQ(timeline.TimeAt(3), 3 * 1000 * 1000 * 100);
}

}  // namespace
}  // namespace tavrino
