#include "platform/timing_precision.h"

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
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
#else
    return false;
#endif
}

}  // namespace tavrino
