// The mixer's level meters while a song plays: every note-on and note-off of
// one second of music fed to the mixer as playback feeds it, the meters
// decaying ten times a second and repainted 30 times a second. The time per
// iteration is the share of one core the meters take (1 s of music each).
// The dense song is read from dense-64.mid in the folder in
// TAVRINO_BENCH_DATA (scripts/bench makes it).

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "app/mon_mixer.h"
#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "settings/memory_settings_store.h"
#include "song/midi_reader.h"

namespace tavrino {
namespace {

constexpr int kTracks = 64;
constexpr int kFramesPerSecond = 30;
constexpr std::int16_t kDivision = 480;

// Every track plays eight notes a quarter at 120 bpm: 1,008 note-ons a
// second in all.
void MakeEvenSong(MidiSong& song) {
    constexpr int kSeconds = 20;
    test::AddTempo(test::AddTrack(song), 0, 500000);
    for (int track = 1; track < kTracks; ++track) {
        MidiTrack& notes = test::AddTrack(song);
        for (int note = 0; note < kSeconds * 16; ++note) {
            const std::int32_t start = note * kDivision / 8;
            test::AddNote(notes, track % 16, 40 + (track + note) % 48, start, start + 50,
                          30 + (note * 7) % 97);
        }
    }
    test::FinishSong(song, kDivision);
}

// The benchmark songs' dense one: 64 tracks of chords, controllers and
// bends with tempo changes.
void ReadDenseSong(MidiSong& song) {
    const char* folder = std::getenv("TAVRINO_BENCH_DATA");
    const std::string path =
        std::string(folder != nullptr ? folder : "bench/data") + "/dense-64.mid";
    // A song that cannot be read has no tracks: the benchmark says so.
    ReadMidiFile(song, path, nullptr);
}

void FeedAndPaint(benchmark::State& state, void (*make)(MidiSong&)) {
    MemorySettingsStore store;
    Settings settings;
    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc(host, player);
    make(doc.song);
    if (doc.song.tracks.size() != kTracks) {
        state.SkipWithError("dense-64.mid is missing: run scripts/bench first");
        return;
    }
    CMonMixer mixer(store, {doc, settings, [] { return true; }, [] {}, [](bool) {},
                            [](int) { return false; }, UserPrompts::OnScreen()});
    mixer.CreateMonitor(nullptr);
    // The meters as the mixer paints them when its window shows every track.
    MixerMeters meters(mixer.levels(), nullptr);
    const int rowHeight = mixer.trackList().rowHeight();
    meters.resize(11, kTracks * rowHeight);
    meters.SetRows(0, kTracks, rowHeight);
    QImage image(meters.size(), QImage::Format_RGB32);

    const MidiSong& song = doc.song;
    const MessageList& messages = song.messages;
    std::size_t next = 0;
    double frameEnd = 0;  // in ticks, at the tempo in force
    std::int64_t notes = 0;
    for (auto _ : state) {
        for (int i = 0; i < kFramesPerSecond; ++i) {
            if (next >= messages.size()) {
                next = 0;
                frameEnd = 0;
            }
            frameEnd += song.division * 1e6 /
                        (static_cast<double>(song.TempoAt(static_cast<std::int32_t>(frameEnd))) *
                         kFramesPerSecond);
            for (; next < messages.size() && messages[next]->time < frameEnd; ++next) {
                const MidiEvent& event = *messages[next];
                if (event.isSoundingNoteOn()) {
                    mixer.NoteOn(event.data1, static_cast<int>(next), -1);
                    ++notes;
                } else if (event.isNoteEnd()) {
                    mixer.NoteOff(event.data1, static_cast<int>(next), -1);
                }
            }
            mixer.AdvanceMeters();
            QPainter painter(&image);
            meters.Paint(painter);
        }
    }
    state.counters["note-ons a second"] =
        static_cast<double>(notes) / static_cast<double>(state.iterations());
}

void BM_MeterFeedAndPaint_EvenSong(benchmark::State& state) {
    FeedAndPaint(state, MakeEvenSong);
}
BENCHMARK(BM_MeterFeedAndPaint_EvenSong)->Unit(benchmark::kMillisecond);

void BM_MeterFeedAndPaint_DenseSong(benchmark::State& state) {
    FeedAndPaint(state, ReadDenseSong);
}
BENCHMARK(BM_MeterFeedAndPaint_DenseSong)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
