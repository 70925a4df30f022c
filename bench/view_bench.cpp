// Painting the score: one full page of a dense song, and one step of
// following playback (a played note and the position band), offscreen, also
// deep into a song of a million events.

#include <benchmark/benchmark.h>

#include <QPainter>

#include "document/test_songs.h"
#include "view/score_page.h"

namespace tavrino {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;
constexpr int kZoom = 0;  // 44 quarter notes in view

// Twelve tracks of sixteenth notes: about 2,100 notes on the first page.
void MakeDenseSong(MidiSong& song) {
    for (int track = 0; track < 12; ++track) {
        MidiTrack& notes = test::AddTrack(song);
        for (int sixteenth = 0; sixteenth < 4 * 400; ++sixteenth) {
            const int key = 48 + (track * 5 + sixteenth * 3) % 36;
            test::AddNote(notes, track % 9, key, sixteenth * 120, sixteenth * 120 + 110);
        }
    }
    test::FinishSong(song, 480);
}

// A player's bend curves: four tracks of held quarter notes, each bent by a
// pitch-wheel message every 24 ticks, about 2,900 bends on the first page.
void MakeBentSong(MidiSong& song) {
    for (int track = 0; track < 4; ++track) {
        MidiTrack& notes = test::AddTrack(song);
        for (int quarter = 0; quarter < 400; ++quarter) {
            const std::int32_t start = quarter * 480;
            test::AddNote(notes, track, 60 + track * 4, start, start + 470);
            for (std::int32_t tick = 0; tick < 480; tick += 24) {
                const int value = 8192 + tick * 8;
                test::AddEvent(notes, start + tick,
                               CreateChannelEvent(0, 0xE0 | track, value & 0x7F, value >> 7));
            }
        }
    }
    test::FinishSong(song, 480);
}

// A million events: 500,000 short notes, eight to a quarter note.
void MakeLargeSong(MidiSong& song) {
    MidiTrack& notes = test::AddTrack(song);
    for (int note = 0; note < 500'000; ++note) {
        test::AddNote(notes, note % 9, 48 + note % 36, note * 60, note * 60 + 50);
    }
    test::FinishSong(song, 480);
}

struct Fixture {
    explicit Fixture(void (*makeSong)(MidiSong&) = MakeDenseSong) {
        makeSong(song);
        diatonic.Reset(60, nullptr, settings);
        page.Resize(kWidth, kHeight);
        page.MeasureLineHeight(style.tabFont);
        page.SetZoom(kZoom);
        page.Follow(song, 0);
    }

    ScoreScene Scene() const {
        return ScoreScene{song, settings,
                          TabSource{kTablatureDiatonic, &diatonic, nullptr, settings.symbols, 0},
                          PlayState{true, 0, 0}};
    }

    int VisibleNotes() const {
        int count = 0;
        for (const MidiEvent* event : song.messages) {
            count += event->playable != 0 && event->time < page.window().lastTick ? 1 : 0;
        }
        return count;
    }

    Settings settings;
    MidiSong song;
    DiatonicLayout diatonic;
    ScoreStyle style{settings};
    ScorePage page{settings.tabStaffSpace};
};

void BM_FullPagePaint(benchmark::State& state, void (*makeSong)(MidiSong&)) {
    Fixture fixture(makeSong);
    const ScoreScene scene = fixture.Scene();
    for (auto _ : state) {
        fixture.page.Invalidate();
        benchmark::DoNotOptimize(fixture.page.Image(scene, fixture.style, 1.0).constBits());
    }
    state.counters["visible_notes"] = fixture.VisibleNotes();
}
BENCHMARK_CAPTURE(BM_FullPagePaint, dense, MakeDenseSong)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullPagePaint, bends, MakeBentSong)->Unit(benchmark::kMillisecond);

// What the view does for one position message: a played note onto the
// cached page, then the band over a copy of the page as on screen.
void PaintStep(Fixture& fixture, const ScoreScene& scene, QImage& screen, std::int32_t index,
               std::int32_t tick) {
    QPainter onPage(&fixture.page.CachedImage());
    ScorePainter(onPage, fixture.style, scene, fixture.page.layout(), fixture.page.window())
        .PaintPlayedNote(index);
    onPage.end();
    QPainter onScreen(&screen);
    onScreen.drawImage(0, 0, fixture.page.CachedImage());
    ScorePainter(onScreen, fixture.style, scene, fixture.page.layout(), fixture.page.window())
        .PaintPositionBand(tick);
}

void BM_PositionStep(benchmark::State& state) {
    Fixture fixture;
    const ScoreScene scene = fixture.Scene();
    fixture.page.Image(scene, fixture.style, 1.0);
    QImage screen(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::int32_t index = 0;
    for (auto _ : state) {
        PaintStep(fixture, scene, screen, index, fixture.song.messages[index]->time);
        index = (index + 1) % 2000;
    }
}
BENCHMARK(BM_PositionStep)->Unit(benchmark::kMicrosecond);

// Made once: building a million events takes a while.
Fixture& LargeSongFixture() {
    static Fixture fixture(MakeLargeSong);
    return fixture;
}

// The large song's first event at the percent of its length.
std::int32_t EventAtPercent(const MidiSong& song, std::int64_t percent) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(song.messages.size()) * percent /
                                     100);
}

// One step of following playback as the view takes it at a percent of the
// large song: the page follows the play tick (it stays put), a played note
// goes onto the cached page, the band over a copy of it.
void BM_LargeSongStep(benchmark::State& state) {
    Fixture& fixture = LargeSongFixture();
    const std::int32_t index = EventAtPercent(fixture.song, state.range(0));
    const std::int32_t tick = fixture.song.messages[index]->time;
    ScoreScene scene = fixture.Scene();
    scene.play = PlayState{true, tick, index};
    fixture.page.Follow(fixture.song, tick);
    fixture.page.Image(scene, fixture.style, 1.0);
    QImage screen(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        fixture.page.Follow(fixture.song, tick);
        PaintStep(fixture, scene, screen, index, tick);
    }
}
BENCHMARK(BM_LargeSongStep)->Arg(5)->Arg(50)->Arg(95)->Unit(benchmark::kMicrosecond);

// The search for the page's first event that every small repaint used to
// make, for comparison: only a full repaint makes it now.
void BM_LargeSongPageStart(benchmark::State& state) {
    Fixture& fixture = LargeSongFixture();
    const std::int32_t index = EventAtPercent(fixture.song, state.range(0));
    fixture.page.Follow(fixture.song, fixture.song.messages[index]->time);
    const std::int32_t cached = fixture.page.firstEventIndex();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            FirstEventIndex(fixture.song.messages, fixture.page.window(), cached));
    }
}
BENCHMARK(BM_LargeSongPageStart)->Arg(5)->Arg(50)->Arg(95)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrino
