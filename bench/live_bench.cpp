// Live playing through a JACK server of the benchmark's own (dummy backend,
// 48 kHz, 256-frame periods): how far from the tempo map the notes of a
// dense song reach a JACK port, beside the stream's own figures and a bare
// thread; and what playing costs in processor time, to a port and through
// the built-in synthesizer, beside FluidSynth's own command-line player
// playing the same song through the same server.
//
//   tavrino_live_bench [SECONDS]   the dense song's length, 60 by default

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_songs.h"
#include "bench/lateness_figures.h"
#include "platform/jack_midi_output.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/soundfont_locator.h"
#include "platform/system_midi_outputs.h"
#include "platform/virtual_playback.h"
#include "player/player.h"
#include "player/waiting_notifier.h"
#include "song/midi_reader.h"
#include "support/child_process.h"
#include "support/jack_receiver.h"
#include "support/jack_server.h"

namespace tavrino::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage);
}

// The port without its lead: the stream then sleeps and spins to each
// message's due time, as it does for a port that sounds messages on arrival.
class OnArrival final : public MidiOutput {
public:
    explicit OnArrival(std::shared_ptr<MidiOutput> port) : port_(std::move(port)) {}
    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override {
        return port_->Send(message, time);
    }

private:
    std::shared_ptr<MidiOutput> port_;
};

// Plays the song in real time through `output`; returns the processor
// share of this process while it played.
double PlayLive(MidiSong& song, std::shared_ptr<MidiOutput> output) {
    SteadyStreamClock clock;
    SingleOutput outputs("live", std::move(output));
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    WaitingNotifier notifier;
    Player player(stream, settings);
    player.Init(song, notifier);
    player.Open();
    const double cpuBefore = ProcessorSeconds();
    const auto before = Clock::now();
    PlayLoadedSong(player, song, {});
    notifier.WaitForEnd(std::chrono::hours(1));
    const double wall = std::chrono::duration<double>(Clock::now() - before).count();
    const double cpu = ProcessorSeconds() - cpuBefore;
    player.Close();
    return 100 * cpu / wall;
}

// The notes' distance from the tempo map at the port, the path's constant
// delay (the median) taken away.
Lateness AtThePort(MidiSong& song, test::JackReceiver& receiver, bool spin, double& cpu,
                   std::size_t& lost) {
    VirtualStreamClock virtualClock;
    const auto expected = std::make_shared<RecordingOutput>(virtualClock, 1 << 20);
    SingleOutput traced("trace", expected);
    PlayInVirtualTime(song, traced, virtualClock, {});
    const std::vector<RecordedMessage> due = expected->Messages();

    const std::size_t already = receiver.Messages().size();
    std::string problem;
    std::shared_ptr<MidiOutput> port = JackMidiOutput::Open(receiver.MidiPort(), problem);
    if (!port) {
        std::fprintf(stderr, "cannot open the port: %s\n", problem.c_str());
        std::exit(1);
    }
    if (spin) {
        port = std::make_shared<OnArrival>(port);
    }
    cpu = PlayLive(song, port);
    receiver.WaitFor([&](const auto& all) { return all.size() >= already + due.size(); },
                     std::chrono::seconds(5));
    const std::vector<test::ReceivedMessage> all = receiver.Messages();
    const std::vector<test::ReceivedMessage> arrived(all.begin() + already, all.end());
    std::vector<std::vector<std::uint8_t>> sent;
    for (const RecordedMessage& message : due) {
        sent.emplace_back(message.bytes.begin(), message.bytes.begin() + message.size);
    }
    // Matched by their bytes: a period the server ran late may have lost
    // some, and the rest must not be compared with their neighbours' times.
    const std::vector<std::ptrdiff_t> matches = test::MatchToSent(sent, arrived);
    std::vector<std::int64_t> offsets;
    for (std::size_t i = 0; i < arrived.size(); ++i) {
        if (matches[i] < 0) {
            continue;
        }
        const RecordedMessage& message = due[static_cast<std::size_t>(matches[i])];
        if (message.due > 0 && arrived[i].IsNote()) {
            offsets.push_back(arrived[i].time * 1000 - message.due);
        }
    }
    lost = due.size() > arrived.size() ? due.size() - arrived.size() : 0;
    std::vector<std::int64_t> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    const std::int64_t delay = sorted[sorted.size() / 2];
    for (std::int64_t& offset : offsets) {
        offset = std::abs(offset - delay);
    }
    return Summarize(std::move(offsets));
}

// Runs a program to its end; its processor seconds and wall seconds.
std::pair<double, double> RunProgram(std::vector<std::string> args) {
    const auto before = Clock::now();
    const pid_t pid = test::StartProgram(std::move(args));
    if (pid <= 0) {
        return {-1, -1};
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double wall = std::chrono::duration<double>(Clock::now() - before).count();
    return {Seconds(usage), wall};
}

void Print(const char* what, const Lateness& lateness, double cpu = -1) {
    std::printf("  %-46s %8.1f %8.1f %9.1f", what, lateness.p50, lateness.p99, lateness.max);
    if (cpu >= 0) {
        std::printf("   %5.2f %%", cpu);
    }
    std::printf("\n");
}

}  // namespace
}  // namespace tavrino::bench

int main(int argc, char** argv) {
    using namespace tavrino;
    using namespace tavrino::bench;
    const int seconds = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 60;

    test::JackServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "no JACK server: %s\n", server.Problem().c_str());
        return 1;
    }
    test::JackReceiver receiver;
    std::string problem;
    if (!receiver.Open("receiver", problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    const std::string dense = (std::filesystem::temp_directory_path() /
                               ("tavrino-live-bench-" + std::to_string(getpid()) + ".mid"))
                                  .string();
    const std::vector<std::uint8_t> bytes = SteadySongFile(seconds, 8, 8);
    std::ofstream(dense, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    MidiSong song;
    ReadMidiFile(song, dense);

    std::printf("dense %d-second song, 8 channels x 8 notes per quarter at 120 bpm\n", seconds);
    std::printf("  %-44s %8s %8s %9s   %s\n", "distance from the tempo map in µs", "p50", "p99",
                "max", "processor");
    double cpu = 0;
    std::size_t lost = 0;
    const Lateness ahead = AtThePort(song, receiver, false, cpu, lost);
    Print("JACK port, handed over 10 ms ahead (ours)", ahead, cpu);
    std::size_t lostSpinning = 0;
    const Lateness spinning = AtThePort(song, receiver, true, cpu, lostSpinning);
    Print("JACK port, the stream spinning to each message", spinning, cpu);
    Print("stream into the recorder (lateness)", StreamIntoRecorder(seconds));
    Print("bare thread, 2 ms deadlines (lateness)", BareThread(seconds * 200, false));
    std::printf("  %d xruns; messages lost at the port: %zu handed over ahead, %zu spinning\n",
                receiver.Xruns(), lost, lostSpinning);

    SystemMidiOutputs outputs;
    int device = -1;
    for (int i = 0; i < outputs.Count(); ++i) {
        if (outputs.Name(i) == receiver.MidiPort()) {
            device = i;
        }
    }
    const auto [portCpu, portWall] =
        RunProgram({TAVRINO_TOOL, "play", dense, "--device", std::to_string(device)});
    std::printf("\nprocessor time of playing, in percent of one core\n");
    std::printf("  tavrino-tool play, dense song to the JACK port   %6.2f %% (%.1f s)\n",
                100 * portCpu / portWall, portWall);
    std::filesystem::remove(dense);

    const std::string demo = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";
    const auto soundFont = FindSoundFont();
    if (!soundFont) {
        std::printf("  no SoundFont: the synthesizer's figures are left out\n");
        return 0;
    }
    const auto [oursCpu, oursWall] =
        RunProgram({TAVRINO_TOOL, "play", demo, "--device", "0", "--audio-driver", "jack"});
    const auto [fluidCpu, fluidWall] =
        RunProgram({"fluidsynth", "-a", "jack", "-j", "-i", "-q", soundFont->string(), demo});
    std::printf("  tavrino-tool play, demo song, synthesizer on JACK %6.2f %% (%.1f s)\n",
                100 * oursCpu / oursWall, oursWall);
    std::printf("  fluidsynth's player, same song, same server       %6.2f %% (%.1f s)\n",
                100 * fluidCpu / fluidWall, fluidWall);
    // Each runs as long as it takes to end, so their shares of a core while
    // running are compared, not their totals.
    std::printf("  ratio of the shares                               %6.2f\n",
                (oursCpu / oursWall) / (fluidCpu / fluidWall));
    return 0;
}
