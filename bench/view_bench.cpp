// Painting the score: one full page of a dense song, and one step of
// following playback (a played note and the position band), offscreen.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
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

struct Fixture {
    Fixture() {
        MakeDenseSong(song);
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

void BM_FullPagePaint(benchmark::State& state) {
    Fixture fixture;
    const ScoreScene scene = fixture.Scene();
    for (auto _ : state) {
        fixture.page.Invalidate();
        benchmark::DoNotOptimize(fixture.page.Image(scene, fixture.style, 1.0).constBits());
    }
    state.counters["visible_notes"] = fixture.VisibleNotes();
}
BENCHMARK(BM_FullPagePaint)->Unit(benchmark::kMillisecond);

// What the view does for one position message: a played note onto the
// cached page, then the band over a copy of the page as on screen.
void BM_PositionStep(benchmark::State& state) {
    Fixture fixture;
    const ScoreScene scene = fixture.Scene();
    fixture.page.Image(scene, fixture.style, 1.0);
    QImage screen(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::int32_t index = 0;
    for (auto _ : state) {
        QPainter onPage(&fixture.page.CachedImage());
        ScorePainter(onPage, fixture.style, scene, fixture.page.layout(), fixture.page.window())
            .PaintPlayedNote(index);
        onPage.end();
        QPainter onScreen(&screen);
        onScreen.drawImage(0, 0, fixture.page.CachedImage());
        ScorePainter(onScreen, fixture.style, scene, fixture.page.layout(), fixture.page.window())
            .PaintPositionBand(fixture.song.messages[index]->time);
        index = (index + 1) % 2000;
    }
}
BENCHMARK(BM_PositionStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrino

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
