#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tavrino {

// The time a MIDI stream plays against, in nanoseconds.
class StreamClock {
public:
    virtual ~StreamClock() = default;

    virtual std::int64_t Now() const = 0;
    // Blocks until `deadline` or until `wake` is notified, whichever comes
    // first; `lock` (held on entry and on return) guards what the waiter
    // watches. Spurious returns are allowed. Only an `exact` wait costs
    // processor time to return close to the deadline.
    virtual void WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                           std::unique_lock<std::mutex>& lock, bool exact) = 0;
    // Called once on the thread that will wait on this clock.
    virtual void PrepareWaitingThread() {}
};

// The machine's steady clock: a stream plays in real time. The last
// 150 µs before an exact deadline are spent spinning rather than sleeping.
class SteadyStreamClock final : public StreamClock {
public:
    std::int64_t Now() const override;
    void WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                   std::unique_lock<std::mutex>& lock, bool exact) override;
    // Asks for fine timer slack and a real-time priority, where granted.
    void PrepareWaitingThread() override;
};

// Time that jumps to each deadline at once: a stream plays a whole song as
// fast as the machine allows, with every message at its exact due time.
// Tests and offline rendering use it; it starts at 0.
class VirtualStreamClock final : public StreamClock {
public:
    std::int64_t Now() const override { return now_; }
    void WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                   std::unique_lock<std::mutex>& lock, bool exact) override;

private:
    std::atomic<std::int64_t> now_{0};
};

}  // namespace tavrino
