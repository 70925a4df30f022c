// How late MIDI messages reach the output with the real clock: the stream
// playing a dense 60-second song into the recorder, beside a bare thread
// that sleeps to 10,000 deadlines 2 ms apart (the machine's floor), once on
// a quiet machine and once with a thread spinning on the other core.
//
//   tavrino_lateness_bench [SECONDS]   the song's length, 60 by default

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_songs.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/timing_precision.h"
#include "platform/virtual_playback.h"
#include "player/player.h"
#include "player/waiting_notifier.h"
#include "song/midi_reader.h"

namespace tavrino::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Lateness {
    double p50 = 0;
    double p99 = 0;
    double max = 0;
    std::size_t count = 0;
};

// Microseconds, from nanoseconds late.
Lateness Summarize(std::vector<std::int64_t> late) {
    std::sort(late.begin(), late.end());
    const auto at = [&late](double share) {
        return static_cast<double>(late[static_cast<std::size_t>(share * (late.size() - 1))]) /
               1000;
    };
    return {at(0.5), at(0.99), static_cast<double>(late.back()) / 1000, late.size()};
}

Lateness Stream(int seconds) {
    MidiSong song;
    ReadMidiData(song, SteadySongFile(seconds, 8, 8), "dense.mid");
    SteadyStreamClock clock;
    const auto recorder = std::make_shared<RecordingOutput>(clock, song.messages.size() + 4096);
    SingleOutput outputs("recorder", recorder);
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    WaitingNotifier notifier;
    Player player(stream, settings);
    player.Init(song, notifier);
    player.Open();
    PlayLoadedSong(player, song, {});
    notifier.WaitForEnd(std::chrono::seconds(seconds + 30));
    std::vector<std::int64_t> late;
    // The song's notes: the channel resets before and after play are sent at
    // once, never late, and would flatter the figures.
    for (const RecordedMessage& message : recorder->Messages()) {
        const int kind = message.bytes[0] & 0xF0;
        if (kind == 0x80 || kind == 0x90) {
            late.push_back(message.arrived - message.due);
        }
    }
    return Summarize(std::move(late));
}

Lateness BareThread(bool sharpened) {
    std::vector<std::int64_t> late;
    late.reserve(10000);
    std::thread sleeper([&late, sharpened] {
        if (sharpened) {
            SharpenThreadTiming();
        }
        auto deadline = Clock::now();
        for (int i = 0; i < 10000; ++i) {
            deadline += std::chrono::milliseconds(2);
            std::this_thread::sleep_until(deadline);
            late.push_back(std::chrono::nanoseconds(Clock::now() - deadline).count());
        }
    });
    sleeper.join();
    return Summarize(std::move(late));
}

void Print(const char* what, const Lateness& lateness) {
    std::printf("  %-34s %8.1f %8.1f %9.1f   (%zu)\n", what, lateness.p50, lateness.p99,
                lateness.max, lateness.count);
}

void Measure(const char* load, int seconds) {
    std::printf("%s\n  %-34s %8s %8s %9s\n", load, "lateness in µs", "p50", "p99", "max");
    Print("stream, dense song", Stream(seconds));
    Print("bare thread", BareThread(false));
    Print("bare thread, timer slack + priority", BareThread(true));
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
