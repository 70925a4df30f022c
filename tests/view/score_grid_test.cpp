#include "view/score_grid.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/test_songs.h"

namespace tavrino {
namespace {

ScoreLayout ScreenLayout() {
    ScoreLayout layout;
    layout.tabStaffSpace = 1;
    SetLayoutEdges(layout, 0, 0, 800, 600);
    SetLineHeight(layout, 13);
    return layout;
}

ScoreWindow WindowAt(const ScoreLayout& layout, std::int32_t tick, int division) {
    ScoreWindow window;
    window.division = division;
    UpdateWindow(window, layout, tick, true);
    return window;
}

// A one-track song of `bars` bars in the metre, with a note at its end.
void MakeMetreSong(MidiSong& song, int numerator, int denominator, int bars, int division = 480) {
    MidiTrack& track = test::AddTrack(song);
    test::AddEvent(track, 0, std::make_unique<TimeSignatureEvent>(numerator, denominator, 24, 8));
    const std::int32_t end = bars * numerator * division * 4 / denominator;
    test::AddNote(track, 0, 60, end - division, end);
    test::FinishSong(song, static_cast<std::int16_t>(division));
}

TEST(ScoreGridTest, StaffAndLedgerLinesAroundTheCentre) {
    const ScoreLayout layout = ScreenLayout();
    ScoreWindow window;
    const StaffLines lines = StaffLinesInView(layout, window);
    EXPECT_EQ(lines.staff.size(), 10u);
    // Centre 37 is the treble staff's bottom line, drawn at the middle.
    EXPECT_NE(std::find(lines.staff.begin(), lines.staff.end(), layout.middleY), lines.staff.end());
    // Middle C's ledger line lies one step below it.
    EXPECT_NE(std::find(lines.ledger.begin(), lines.ledger.end(), layout.middleY + 2 * 8),
              lines.ledger.end());
    window.centrePosition = kHighestCentrePosition;  // scrolled up: the staff sinks
    const StaffLines high = StaffLinesInView(layout, window);
    EXPECT_EQ(high.staff.size(), 6u);  // the treble staff and the bass staff's top line
    EXPECT_TRUE(std::all_of(high.staff.begin(), high.staff.end(),
                            [&layout](int y) { return y > layout.middleY; }));
}

TEST(ScoreGridTest, BarAndBeatLinesFollowTheMetre) {
    MidiSong song;
    // Four bars of 3/8, then 2/4.
    MidiTrack& track = test::AddTrack(song);
    test::AddEvent(track, 0, std::make_unique<TimeSignatureEvent>(3, 8, 24, 8));
    test::AddEvent(track, 2880, std::make_unique<TimeSignatureEvent>(2, 4, 24, 8));
    test::AddNote(track, 0, 60, 9000, 9600);
    test::FinishSong(song, 480);
    const ScoreLayout layout = ScreenLayout();
    const ScoreWindow window = WindowAt(layout, 0, 480);  // 11 quarters shown
    const BarGrid grid = BarGridInView(song, layout, window);
    // Eighth-note beats up to tick 2880, then quarter-note beats up to 5280.
    ASSERT_EQ(grid.lines.size(), 2880u / 240 + (5280u - 2880) / 480 + 1);
    EXPECT_EQ(grid.lines[13].x - grid.lines[12].x, 72);
    EXPECT_TRUE(grid.lines[12].barStart);
    EXPECT_FALSE(grid.lines[13].barStart);
    EXPECT_TRUE(grid.lines[0].barStart);
    EXPECT_FALSE(grid.lines[1].barStart);
    EXPECT_TRUE(grid.lines[3].barStart);
    EXPECT_EQ(grid.lines[1].x - grid.lines[0].x, 36);
    EXPECT_EQ(grid.openingTimeSignature, "3/8");
    ASSERT_FALSE(grid.labels.empty());
    EXPECT_EQ(grid.labels[0].number, 1);
    // The opening metre stands at the left edge; bars show only a change.
    EXPECT_EQ(grid.labels[0].timeSignature, "");
    ASSERT_GE(grid.labels.size(), 6u);
    EXPECT_EQ(grid.labels[4].number, 5);
    EXPECT_EQ(grid.labels[4].timeSignature, "2/4");
    EXPECT_EQ(grid.labels[5].timeSignature, "");
    EXPECT_EQ(grid.labels[1].x, TickToX(layout, window, 720) + 2);
}

TEST(ScoreGridTest, LaterPagesStartAtTheirBar) {
    MidiSong song;
    MakeMetreSong(song, 4, 4, 40);
    const ScoreLayout layout = ScreenLayout();
    const ScoreWindow window = WindowAt(layout, 10000, 480);  // starts at tick 9600, bar 6
    EXPECT_EQ(window.firstTick, 9600);
    EXPECT_EQ(CurrentBarIndex(song.bars, window.firstTick), 4);  // the bar before it
    const BarGrid grid = BarGridInView(song, layout, window);
    ASSERT_FALSE(grid.labels.empty());
    EXPECT_EQ(grid.labels[0].number, 6);
    EXPECT_EQ(grid.labels[0].x, 45 + 2);
    EXPECT_EQ(grid.openingTimeSignature, "4/4");
    EXPECT_EQ(grid.lines.front().x, 45);
}

TEST(ScoreGridTest, SongWithoutBarsGetsQuarterLines) {
    MidiSong song;
    song.division = 480;
    const ScoreLayout layout = ScreenLayout();
    const BarGrid grid = BarGridInView(song, layout, WindowAt(layout, 0, 480));
    EXPECT_EQ(grid.lines.size(), 11u);  // 45, 117, ... below 800
    EXPECT_TRUE(grid.labels.empty());
    EXPECT_TRUE(std::none_of(grid.lines.begin(), grid.lines.end(),
                             [](const BeatLine& line) { return line.barStart; }));
}

TEST(ScoreGridTest, HostileMetreDoesNotHang) {
    MidiSong song;
    MidiTrack& track = test::AddTrack(song);
    auto signature = std::make_unique<TimeSignatureEvent>(4, 4, 24, 8);
    signature->data[1] = 31;  // a denominator of 2^31
    test::AddEvent(track, 0, std::move(signature));
    test::AddNote(track, 0, 60, 0, 480);
    test::FinishSong(song, 480);
    const ScoreLayout layout = ScreenLayout();
    const BarGrid grid = BarGridInView(song, layout, WindowAt(layout, 0, 480));
    EXPECT_LE(grid.lines.size(), 5281u);
}

TEST(ScoreGridTest, ClefsScaleWithTheStaff) {
    ScoreLayout layout = ScreenLayout();  // positions 8 pixels apart: clefs at 8/6 size
    const ScoreWindow window;
    const PixelRect treble = TrebleClefRect(layout, window);
    EXPECT_EQ(treble, (PixelRect{0, layout.middleY - 3 * 8 - 35 * 8 / 6, 40 * 8 / 6,
                                 layout.middleY - 3 * 8 - 35 * 8 / 6 + 70 * 8 / 6}));
    EXPECT_EQ(BassClefRect(layout, window).top, treble.top + 72);
    layout.tabStaffSpace = 2;
    SetLayoutEdges(layout, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    EXPECT_EQ(TrebleClefRect(layout, window).right, 40 * 10 / 6);
}

}  // namespace
}  // namespace tavrino
