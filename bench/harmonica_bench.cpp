// Tablature lookups, which the score view and the monitors make for every
// note they draw or play, and rebuilding a layout, which happens on every
// change of tuning or key.

#include <benchmark/benchmark.h>

#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "harmonica/key_list.h"

namespace tavrino {
namespace {

template <class Layout>
Layout BuiltInC() {
    Layout layout;
    layout.Build(60);
    return layout;
}

// Every MIDI note's preferred tab, text included.
template <class Layout>
void GetTabOfEveryNote(benchmark::State& state) {
    const Layout layout = BuiltInC<Layout>();
    const TabSymbols symbols;
    for (auto _ : state) {
        for (int note = 0; note < kNoteCount; ++note) {
            benchmark::DoNotOptimize(layout.GetTab(note, 0, symbols));
        }
    }
    state.SetItemsProcessed(state.iterations() * kNoteCount);
}

template <class Layout>
void GetFirstTabOfEveryNote(benchmark::State& state) {
    const Layout layout = BuiltInC<Layout>();
    for (auto _ : state) {
        for (int note = 0; note < kNoteCount; ++note) {
            benchmark::DoNotOptimize(layout.GetFirstTab(note));
        }
    }
    state.SetItemsProcessed(state.iterations() * kNoteCount);
}

// Every tuning of the list in every key the selectors offer.
template <class Layout, class Tuning>
void BuildEveryTuningAndKey(benchmark::State& state, std::span<const Tuning> tunings,
                            const KeyList& keys) {
    Layout layout;
    std::int64_t builds = 0;
    for (auto _ : state) {
        for (const Tuning& tuning : tunings) {
            for (int octave = 0; octave < static_cast<int>(kOctaveNames.size()); ++octave) {
                for (int position = 0; position < 12; ++position) {
                    layout.Build(keys.KeyOf({position, octave}), &tuning);
                    benchmark::ClobberMemory();
                    ++builds;
                }
            }
        }
    }
    state.SetItemsProcessed(builds);
}

void BM_DiatonicGetTab(benchmark::State& state) {
    GetTabOfEveryNote<DiatonicLayout>(state);
}
void BM_ChromaticGetTab(benchmark::State& state) {
    GetTabOfEveryNote<ChromaticLayout>(state);
}
void BM_DiatonicGetFirstTab(benchmark::State& state) {
    GetFirstTabOfEveryNote<DiatonicLayout>(state);
}
void BM_ChromaticGetFirstTab(benchmark::State& state) {
    GetFirstTabOfEveryNote<ChromaticLayout>(state);
}
void BM_DiatonicBuild(benchmark::State& state) {
    BuildEveryTuningAndKey<DiatonicLayout>(state, DiatonicTunings(), kDiatonicKeys);
}
void BM_ChromaticBuild(benchmark::State& state) {
    BuildEveryTuningAndKey<ChromaticLayout>(state, ChromaticTunings(), kChromaticKeys);
}

BENCHMARK(BM_DiatonicGetTab);
BENCHMARK(BM_ChromaticGetTab);
BENCHMARK(BM_DiatonicGetFirstTab);
BENCHMARK(BM_ChromaticGetFirstTab);
BENCHMARK(BM_DiatonicBuild);
BENCHMARK(BM_ChromaticBuild);

}  // namespace
}  // namespace tavrino
