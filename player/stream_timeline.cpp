#include "player/stream_timeline.h"

#include <algorithm>
#include <cmath>

namespace tavrino {

namespace {

// Nanoseconds per microsecond of tempo, times the 100 of the percent.
constexpr std::int64_t kScale = 1000 * 100;

}  // namespace

void StreamTimeline::Start(std::int64_t time) {
    originTick_ = 0;
    originTime_ = time;
}

void StreamTimeline::Rebase(std::int64_t tick) {
    originTime_ = TimeAt(tick);
    originTick_ = tick;
}

void StreamTimeline::SetDivision(int ticksPerQuarter) {
    division_ = std::max(ticksPerQuarter, 1);
}

void StreamTimeline::SetPercent(int percent) {
    percent_ = std::max(percent, 1);
}

std::int64_t StreamTimeline::TimeAt(std::int64_t tick) const {
    // ticks × tempo × kScale / (division × percent), split so that no product
    // overflows: ticks × tempo stays below 2^63 for any tick a song reaches.
    // Rounded up: the first nanosecond at which the tick has been reached.
    const std::int64_t denominator = division_ * percent_;
    const std::int64_t product = (tick - originTick_) * std::int64_t{tempo_};
    const std::int64_t part = product % denominator * kScale;
    const std::int64_t partTime =
        part > 0 ? (part + denominator - 1) / denominator : part / denominator;
    return originTime_ + product / denominator * kScale + partTime;
}

std::int64_t StreamTimeline::TickAt(std::int64_t time) const {
    if (tempo_ == 0 || time <= originTime_) {
        return originTick_;
    }
    const long double ticks = static_cast<long double>(time - originTime_) * division_ * percent_ /
                              (static_cast<long double>(tempo_) * kScale);
    return originTick_ + static_cast<std::int64_t>(std::floor(ticks));
}

}  // namespace tavrino
