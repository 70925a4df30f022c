// The monitors while a song plays and when they open: feeding one position
// step of a dense song to a monitor and painting its changed buttons, and
// opening the diatonic harmonica with its statistics on a long song. The
// songs come from the shared generator; scripts/bench makes them and passes
// their folder in TAVRINO_BENCH_DATA.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/document_fakes.h"
#include "document/song_edits.h"
#include "monitors/mon_chromatic.h"
#include "monitors/mon_diatonic.h"
#include "monitors/mon_piano.h"
#include "monitors/monitor_list.h"
#include "settings/memory_settings_store.h"
#include "song/midi_reader.h"

namespace tavrino {
namespace {

std::string DataFile(const std::string& name) {
    const char* folder = std::getenv("TAVRINO_BENCH_DATA");
    return std::string(folder != nullptr ? folder : "bench/data") + "/" + name;
}

// A document with the song loaded as the program loads it, and what a
// monitor works with.
struct World {
    explicit World(const std::string& file) {
        loaded = ReadMidiFile(doc.song, DataFile(file)) == kReadOk;
        MarkPlayable(doc.song);
        diatonic.Build(60);
        chromatic.Build(60);
    }

    MonitorServices services() { return {store, settings, doc, diatonic, chromatic, nullptr}; }

    bool loaded = false;
    MemorySettingsStore store;
    Settings settings;
    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc{host, player};
    DiatonicLayout diatonic;
    ChromaticLayout chromatic;
};

// The player reports its position every eighth of a quarter note; the main
// frame hands the events it passed to each monitor, and the changed buttons
// repaint on the next pass of the event loop.
template <class Monitor>
void BM_FeedOnePositionStep(benchmark::State& state) {
    World world("events-200000.mid");
    if (!world.loaded) {
        state.SkipWithError("missing the benchmark songs; run scripts/bench");
        return;
    }
    Monitor monitor(world.services());
    monitor.CreateMonitor(nullptr);
    const MessageList& messages = world.doc.song.messages;
    const std::int32_t step = std::max(1, world.doc.song.division / 8);
    std::size_t index = 0;
    std::int32_t until = step;
    std::int64_t events = 0;
    for (auto _ : state) {
        if (index >= messages.size()) {
            index = 0;
            until = step;
            monitor.ResetDisplay(false);
        }
        for (; index < messages.size() && messages[index]->time < until; ++index) {
            MonitorList::FeedMonitor(monitor, *messages[index], static_cast<int>(index));
            ++events;
        }
        until += step;
        QApplication::processEvents();
    }
    state.counters["events_per_step"] =
        benchmark::Counter(static_cast<double>(events), benchmark::Counter::kAvgIterations);
}
BENCHMARK_TEMPLATE(BM_FeedOnePositionStep, CMonDiatonic)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FeedOnePositionStep, CMonChromatic)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_FeedOnePositionStep, CMonPiano)->Unit(benchmark::kMicrosecond);

// Opening the diatonic monitor with its statistics shown: the survey walks
// the song once.
void BM_OpenDiatonicWithStatistics(benchmark::State& state) {
    World world("events-2000000.mid");
    if (!world.loaded) {
        state.SkipWithError("missing the benchmark songs; run scripts/bench");
        return;
    }
    world.store.WriteInteger(kStateSection, "Mon3.optVisible", 1);
    for (auto _ : state) {
        CMonDiatonic monitor(world.services());
        monitor.CreateMonitor(nullptr);
        monitor.panel().findChildren<QCheckBox*>().at(2)->setChecked(true);
        QApplication::processEvents();
    }
    state.counters["events"] = static_cast<double>(world.doc.song.messages.size());
}
BENCHMARK(BM_OpenDiatonicWithStatistics)->Unit(benchmark::kMillisecond);

// The same walk alone, the floor of opening with statistics.
void BM_SurveyLongSong(benchmark::State& state) {
    World world("events-2000000.mid");
    if (!world.loaded) {
        state.SkipWithError("missing the benchmark songs; run scripts/bench");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            SurveyTracks(world.doc.song, [](const MidiTrack& track) { return track.visible(); }));
    }
}
BENCHMARK(BM_SurveyLongSong)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
