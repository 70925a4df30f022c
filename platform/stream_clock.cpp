#include "platform/stream_clock.h"

#include <algorithm>
#include <chrono>

#include "platform/timing_precision.h"

namespace tavrino {

std::int64_t SteadyStreamClock::Now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyStreamClock::WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                                  std::unique_lock<std::mutex>& lock) {
    wake.wait_until(lock,
                    std::chrono::steady_clock::time_point(std::chrono::nanoseconds(deadline)));
}

void SteadyStreamClock::PrepareWaitingThread() {
    SharpenThreadTiming();
}

void VirtualStreamClock::WaitUntil(std::int64_t deadline, std::condition_variable&,
                                   std::unique_lock<std::mutex>&) {
    std::int64_t now = now_;
    while (now < deadline && !now_.compare_exchange_weak(now, deadline)) {
    }
}

}  // namespace tavrino
