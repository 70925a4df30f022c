// The lyrics window on a karaoke song of 10,000 syllables: opening it (the
// track list, the decoded text, the laid-out box), and advancing the
// highlight by one syllable as playback does.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "document/test_songs.h"
#include "monitors/mon_lyrics.h"
#include "settings/memory_settings_store.h"

namespace tavrino {
namespace {

constexpr int kSyllables = 10'000;

// A melody with one lyric per eighth note, a line break every 8 syllables
// and a paragraph every 32, in Latin-1 so that the encoding is chosen.
void MakeKaraokeSong(MidiSong& song) {
    MidiTrack& melody = test::AddTrack(song);
    MidiTrack& words = test::AddTrack(song);
    for (int i = 0; i < kSyllables; ++i) {
        const std::int32_t time = i * 240;
        test::AddNote(melody, 0, 60 + i % 12, time, time + 200);
        std::string syllable = i % 32 == 0 ? "<" : (i % 8 == 0 ? "/" : "");
        syllable += i % 5 == 0 ? "sch\xF6n " : "la";
        test::AddEvent(
            words, time,
            CreateMetaEvent(time, 0x05,
                            std::span(reinterpret_cast<const std::uint8_t*>(syllable.data()),
                                      syllable.size())));
        ++words.lyricCount;
    }
    test::FinishSong(song, 480);
}

struct Fixture {
    Fixture() { MakeKaraokeSong(song); }

    MemorySettingsStore store;
    Settings settings;
    MidiSong song;
    std::string path = "karaoke.kar";
};

void BM_OpenLyricsWindow(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        CMonLyrics window(fixture.store, fixture.settings, fixture.song, fixture.path);
        window.CreateMonitor(nullptr);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.textBox()->document()->blockCount());
    }
}
BENCHMARK(BM_OpenLyricsWindow)->Unit(benchmark::kMillisecond);

void BM_AdvanceOneSyllable(benchmark::State& state) {
    Fixture fixture;
    CMonLyrics window(fixture.store, fixture.settings, fixture.song, fixture.path);
    window.CreateMonitor(nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    QApplication::processEvents();
    std::vector<int> lyrics;
    for (std::size_t i = 0; i < fixture.song.messages.size(); ++i) {
        if (fixture.song.messages[i]->kind() == EventKind::Lyric) {
            lyrics.push_back(static_cast<int>(i));
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        window.ShowTextEvent(lyrics[next]);
        next = (next + 1) % lyrics.size();
    }
}
BENCHMARK(BM_AdvanceOneSyllable)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrino
