// How long `tavrino-tool render` takes against FluidSynth's own command-line
// renderer (fluidsynth -ni -F OUT SF2 SONG) on the same songs and SoundFont:
// the demo song and a 5-minute song. The counter x_realtime is the song's
// length divided by the time one render takes.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "bench/bench_songs.h"
#include "platform/recording_output.h"
#include "platform/soundfont_locator.h"
#include "platform/virtual_playback.h"
#include "song/midi_reader.h"
#include "tools/tool.h"

namespace tavrino::bench {
namespace {

std::filesystem::path Scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("tavrino-render-bench-" + name);
}

const std::string& DemoSong() {
    static const std::string path = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";
    return path;
}

// The song's length as the player plays it, in seconds.
double SongSeconds(const std::string& path) {
    MidiSong song;
    ReadMidiFile(song, path);
    VirtualStreamClock clock;
    SingleOutput outputs("recorder", std::make_shared<RecordingOutput>(clock));
    return static_cast<double>(PlayInVirtualTime(song, outputs, clock, {}).end) / 1e9;
}

void Report(benchmark::State& state, const std::string& song) {
    state.counters["x_realtime"] = benchmark::Counter(
        SongSeconds(song) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void RenderWithTavrino(benchmark::State& state, const std::string& (*song)()) {
    const std::string out = Scratch("tavrino.wav").string();
    std::ostringstream sink;
    for (auto _ : state) {
        if (tool::RunTool({"render", song(), out}, {sink, sink}) != 0) {
            state.SkipWithError(sink.str().c_str());
            return;
        }
    }
    Report(state, song());
}

void RenderWithFluidSynth(benchmark::State& state, const std::string& (*song)()) {
    const auto soundFont = FindSoundFont();
    if (!soundFont) {
        state.SkipWithError("no SoundFont");
        return;
    }
    const std::string command = "fluidsynth -ni -F '" + Scratch("fluidsynth.wav").string() + "' '" +
                                soundFont->string() + "' '" + song() + "' >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("fluidsynth failed");
            return;
        }
    }
    Report(state, song());
}

BENCHMARK_CAPTURE(RenderWithTavrino, DemoSong, &DemoSong)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RenderWithFluidSynth, DemoSong, &DemoSong)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RenderWithTavrino, FiveMinuteSong, &FiveMinuteSong)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RenderWithFluidSynth, FiveMinuteSong, &FiveMinuteSong)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tavrino::bench
