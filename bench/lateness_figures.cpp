#include "bench/lateness_figures.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "bench/bench_songs.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/timing_precision.h"
#include "platform/virtual_playback.h"
#include "player/player.h"
#include "player/waiting_notifier.h"
#include "song/midi_reader.h"

namespace tavrino::bench {

using Clock = std::chrono::steady_clock;

Lateness Summarize(std::vector<std::int64_t> late) {
    std::sort(late.begin(), late.end());
    const auto at = [&late](double share) {
        return static_cast<double>(late[static_cast<std::size_t>(share * (late.size() - 1))]) /
               1000;
    };
    return {at(0.5), at(0.99), static_cast<double>(late.back()) / 1000, late.size()};
}

Lateness StreamIntoRecorder(int seconds) {
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

Lateness BareThread(int deadlines, bool sharpened) {
    std::vector<std::int64_t> late;
    late.reserve(static_cast<std::size_t>(deadlines));
    std::thread sleeper([&late, deadlines, sharpened] {
        if (sharpened) {
            SharpenThreadTiming();
        }
        auto deadline = Clock::now();
        for (int i = 0; i < deadlines; ++i) {
            deadline += std::chrono::milliseconds(2);
            std::this_thread::sleep_until(deadline);
            late.push_back(std::chrono::nanoseconds(Clock::now() - deadline).count());
        }
    });
    sleeper.join();
    return Summarize(std::move(late));
}

}  // namespace tavrino::bench
