// The mixer's level meters while a song plays: every note-on and note-off of
// one second of music fed to the mixer as playback feeds it, the meters
// decaying ten times a second and repainted 30 times a second. The time per
// iteration is the share of one core the meters take (1 s of music each).

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "app/mon_mixer.h"
#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "settings/memory_settings_store.h"

namespace tavrino {
namespace {

constexpr int kTracks = 64;
constexpr int kFramesPerSecond = 30;
constexpr std::int16_t kDivision = 480;
constexpr int kTicksPerSecond = 2 * kDivision;  // 120 bpm

// Every track plays eight notes a quarter, as each channel of the dense
// benchmark song does: 1,024 note-ons a second in all.
void MakeSong(MidiSong& song, int seconds) {
    test::AddTempo(test::AddTrack(song), 0, 500000);
    for (int track = 1; track < kTracks; ++track) {
        MidiTrack& notes = test::AddTrack(song);
        for (int note = 0; note < seconds * 16; ++note) {
            const std::int32_t start = note * kDivision / 8;
            test::AddNote(notes, track % 16, 40 + (track + note) % 48, start, start + 50,
                          30 + (note * 7) % 97);
        }
    }
    test::FinishSong(song, kDivision);
}

void BM_MeterFeedAndPaint(benchmark::State& state) {
    constexpr int kSeconds = 20;
    MemorySettingsStore store;
    Settings settings;
    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc(host, player);
    MakeSong(doc.song, kSeconds);
    CMonMixer mixer(store, {doc, settings, [] { return true; }, [] {}, [](bool) {},
                            [](int) { return false; }, UserPrompts::OnScreen()});
    mixer.CreateMonitor(nullptr);
    // The meters as the mixer paints them when its window shows every track.
    MixerMeters meters(mixer.levels(), nullptr);
    const int rowHeight = mixer.trackList().rowHeight();
    meters.resize(11, kTracks * rowHeight);
    meters.SetRows(0, kTracks, rowHeight);
    QImage image(meters.size(), QImage::Format_RGB32);

    const MessageList& messages = doc.song.messages;
    const std::int64_t songFrames = std::int64_t{kSeconds} * kFramesPerSecond;
    std::size_t next = 0;
    std::int64_t frame = 0;
    std::int64_t notes = 0;
    for (auto _ : state) {
        for (int i = 0; i < kFramesPerSecond; ++i, ++frame) {
            const std::int64_t inSong = frame % songFrames;
            if (inSong == 0) {
                next = 0;
            }
            const std::int64_t until = (inSong + 1) * kTicksPerSecond / kFramesPerSecond;
            for (; next < messages.size() && messages[next]->time < until; ++next) {
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
BENCHMARK(BM_MeterFeedAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
