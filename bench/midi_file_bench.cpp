// Reading (with note pairing and the bar table) and writing whole MIDI files.
// The songs come from the shared generator; scripts/bench makes them and passes
// their folder in TAVRINO_BENCH_DATA.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"

namespace tavrino {
namespace {

std::string DataFile(const std::string& name) {
    const char* folder = std::getenv("TAVRINO_BENCH_DATA");
    return std::string(folder != nullptr ? folder : "bench/data") + "/" + name;
}

std::vector<std::uint8_t> LoadBytes(benchmark::State& state, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(DataFile(name), bytes)) {
        state.SkipWithError(("missing " + DataFile(name) + "; run scripts/bench").c_str());
    }
    return bytes;
}

std::size_t EventCount(const MidiSong& song) {
    std::size_t events = 0;
    for (const auto& track : song.tracks) {
        events += track->count();
    }
    return events;
}

// The floor: walking the file's events without storing anything.
std::size_t WalkEvents(const std::vector<std::uint8_t>& bytes) {
    std::size_t at = 14;
    std::size_t events = 0;
    const auto varLen = [&bytes, &at] {
        std::uint32_t value = 0;
        while (at < bytes.size()) {
            const std::uint8_t byte = bytes[at++];
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return value;
    };
    while (at + 8 <= bytes.size()) {
        const std::size_t length = (std::size_t{bytes[at + 4]} << 24) | (bytes[at + 5] << 16) |
                                   (bytes[at + 6] << 8) | bytes[at + 7];
        const std::size_t end = std::min(bytes.size(), at + 8 + length);
        at += 8;
        int running = 0;
        while (at < end) {
            varLen();
            const int first = bytes[at];
            const int status = (first & 0x80) != 0 ? (++at, first) : running;
            if (status == 0xFF) {
                ++at;
                at += varLen();
            } else if (status == 0xF0 || status == 0xF7) {
                at += varLen();
            } else {
                running = status;
                at += (status >> 4) == 0xC || (status >> 4) == 0xD ? 1 : 2;
            }
            ++events;
        }
        at = end;
    }
    return events;
}

void BareWalk(benchmark::State& state, const std::string& name) {
    const std::vector<std::uint8_t> bytes = LoadBytes(state, name);
    std::size_t events = 0;
    for (auto _ : state) {
        events = WalkEvents(bytes);
        benchmark::DoNotOptimize(events);
    }
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(events),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// Whole load from memory: parse, pair notes, list messages, build bars.
void ReadFile(benchmark::State& state, const std::string& name) {
    const std::vector<std::uint8_t> bytes = LoadBytes(state, name);
    std::size_t events = 0;
    for (auto _ : state) {
        auto song = std::make_unique<MidiSong>();
        if (ReadMidiData(*song, bytes, name) != kReadOk) {
            state.SkipWithError("read failed");
            break;
        }
        events = EventCount(*song);
        benchmark::DoNotOptimize(song->messages.size());
        // Freeing the song is not part of reading it.
        state.PauseTiming();
        song.reset();
        state.ResumeTiming();
    }
    state.counters["events kept"] = static_cast<double>(events);
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(events),
                                                    benchmark::Counter::kIsIterationInvariantRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void EncodeFile(benchmark::State& state, const std::string& name) {
    const std::vector<std::uint8_t> bytes = LoadBytes(state, name);
    MidiSong song;
    if (bytes.empty() || ReadMidiData(song, bytes, name) != kReadOk) {
        state.SkipWithError("read failed");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeMidiFile(song).size());
    }
    state.counters["events/s"] = benchmark::Counter(static_cast<double>(EventCount(song)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// Including the file system: a temporary file, then the rename over the target.
void SaveFile(benchmark::State& state, const std::string& name) {
    const std::vector<std::uint8_t> bytes = LoadBytes(state, name);
    MidiSong song;
    if (bytes.empty() || ReadMidiData(song, bytes, name) != kReadOk) {
        state.SkipWithError("read failed");
        return;
    }
    const std::string target = DataFile("saved-" + name);
    for (auto _ : state) {
        if (WriteMidiFile(song, target) != kWriteOk) {
            state.SkipWithError("write failed");
            break;
        }
    }
    std::remove(target.c_str());
}

BENCHMARK_CAPTURE(BareWalk, events_2000000, std::string("events-2000000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFile, events_200000, std::string("events-200000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFile, events_1000000, std::string("events-1000000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFile, events_2000000, std::string("events-2000000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadFile, orphans_1000000, std::string("orphans-1000000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(EncodeFile, events_2000000, std::string("events-2000000.mid"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SaveFile, events_2000000, std::string("events-2000000.mid"))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
