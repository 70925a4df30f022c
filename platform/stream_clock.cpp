#include "platform/stream_clock.h"

#include <chrono>

#include "platform/timing_precision.h"

namespace tavrino {

std::int64_t SteadyStreamClock::Now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyStreamClock::WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                                  std::unique_lock<std::mutex>& lock, bool exact) {
    // A thread woken from a long sleep comes back tens to hundreds of
    // microseconds late; it sleeps to a little before the deadline and spins
    // the rest, unlocked, so that a stop is still seen at once.
    constexpr std::int64_t kSpin = 150'000;
    const std::int64_t sleepUntil = exact ? deadline - kSpin : deadline;
    if (Now() < sleepUntil) {
        wake.wait_until(
            lock, std::chrono::steady_clock::time_point(std::chrono::nanoseconds(sleepUntil)));
        return;
    }
    if (!exact) {
        return;
    }
    lock.unlock();
    while (Now() < deadline) {
    }
    lock.lock();
}

void SteadyStreamClock::PrepareWaitingThread() {
    SharpenThreadTiming();
}

void VirtualStreamClock::WaitUntil(std::int64_t deadline, std::condition_variable&,
                                   std::unique_lock<std::mutex>&, bool) {
    std::int64_t now = now_;
    while (now < deadline && !now_.compare_exchange_weak(now, deadline)) {
    }
}

}  // namespace tavrino
