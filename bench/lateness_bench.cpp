// How late MIDI messages reach the output with the real clock: the stream
// playing a dense 60-second song into the recorder, beside a bare thread
// that sleeps to 10,000 deadlines 2 ms apart (the machine's floor), once on
// a quiet machine and once with a thread spinning on the other core.
//
//   tavrino_lateness_bench [SECONDS]   the song's length, 60 by default

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "bench/lateness_figures.h"

namespace tavrino::bench {
namespace {

void Print(const char* what, const Lateness& lateness) {
    std::printf("  %-34s %8.1f %8.1f %9.1f   (%zu)\n", what, lateness.p50, lateness.p99,
                lateness.max, lateness.count);
}

void Measure(const char* load, int seconds) {
    std::printf("%s\n  %-34s %8s %8s %9s\n", load, "lateness in µs", "p50", "p99", "max");
    Print("stream, dense song", StreamIntoRecorder(seconds));
    Print("bare thread", BareThread(10000, false));
    Print("bare thread, timer slack + priority", BareThread(10000, true));
}

}  // namespace
}  // namespace tavrino::bench

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 60;
    tavrino::bench::Measure("quiet machine", seconds);

    std::atomic<bool> spin{true};
    std::thread busy([&spin] {
        while (spin.load(std::memory_order_relaxed)) {
        }
    });
    tavrino::bench::Measure("other core busy", seconds);
    spin = false;
    busy.join();
    return 0;
}
