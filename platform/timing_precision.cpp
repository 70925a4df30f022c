#include "platform/timing_precision.h"

#include <cstdint>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#elif defined(_WIN32)
#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>
#elif defined(__APPLE__)
#include <mach/mach.h>
#include <mach/mach_time.h>
#include <mach/thread_policy.h>
#include <pthread.h>
#endif

namespace tavrino {

bool SharpenThreadTiming() {
#if defined(__linux__)
    // The kernel may otherwise defer a wake-up by up to 50 µs to batch timers.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    // Low in the real-time range: above every ordinary thread, below the
    // audio servers and the kernel's own.
    sched_param parameters{};
    parameters.sched_priority = 10;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameters) == 0;
#elif defined(_WIN32)
    // Windows wakes sleepers on a 15.6 ms tick unless a program asks for a
    // finer one; the request holds until the program ends, once is enough.
    static const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)fineTimer;
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL) != 0;
#elif defined(__APPLE__)
    // A time-constraint thread is scheduled ahead of ordinary ones when it
    // wakes; it promises to need at most 0.2 ms of every millisecond.
    mach_timebase_info_data_t timebase{};
    if (mach_timebase_info(&timebase) != KERN_SUCCESS || timebase.numer == 0) {
        return false;
    }
    const auto ticks = [&timebase](double nanoseconds) {
        return static_cast<std::uint32_t>(nanoseconds * timebase.denom / timebase.numer);
    };
    thread_time_constraint_policy_data_t policy{};
    policy.period = 0;  // wakes at deadlines, not periodically
    policy.computation = ticks(200'000);
    policy.constraint = ticks(1'000'000);
    policy.preemptible = 1;
    return thread_policy_set(pthread_mach_thread_np(pthread_self()), THREAD_TIME_CONSTRAINT_POLICY,
                             reinterpret_cast<thread_policy_t>(&policy),
                             THREAD_TIME_CONSTRAINT_POLICY_COUNT) == KERN_SUCCESS;
#else
    return false;
#endif
}

}  // namespace tavrino
