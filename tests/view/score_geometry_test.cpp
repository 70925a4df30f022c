#include <gtest/gtest.h>

#include <array>

#include "document/test_songs.h"
#include "harmonica/note_naming.h"
#include "view/overlay_geometry.h"
#include "view/score_window.h"
#include "view/staff.h"

namespace tavrino {
namespace {

// An 800 x 600 screen with the default tablature font: bars 12 pixels high,
// staff positions 8 pixels apart.
ScoreLayout ScreenLayout(int width = 800, int height = 600) {
    ScoreLayout layout;
    layout.tabStaffSpace = 1;
    SetLayoutEdges(layout, 0, 0, width, height);
    SetLineHeight(layout, 13);
    return layout;
}

ScoreWindow Window(int division, int zoomIndex = kDefaultZoomIndex) {
    ScoreWindow window;
    window.division = division;
    SetZoom(window, zoomIndex);
    return window;
}

TEST(StaffTest, KeysSitOnTheGrandStaffPositions) {
    EXPECT_EQ(StaffPosition(60), 35);
    EXPECT_EQ(StaffPosition(61), 35);  // C# shares C's position
    EXPECT_EQ(StaffPosition(0), 0);
    EXPECT_EQ(StaffPosition(127), 74);
    // E G B D F of the treble staff, G B D F A of the bass staff.
    const int treble[] = {64, 67, 71, 74, 77};
    const int bass[] = {43, 47, 50, 53, 57};
    for (int line = 0; line < 5; ++line) {
        EXPECT_EQ(StaffPosition(treble[line]), 37 + 2 * line);
        EXPECT_EQ(StaffPosition(bass[line]), 25 + 2 * line);
        EXPECT_TRUE(IsStaffLine(37 + 2 * line));
        EXPECT_TRUE(IsStaffLine(25 + 2 * line));
    }
    int staffLines = 0;
    for (int position = 0; position < 80; ++position) {
        staffLines += IsStaffLine(position) ? 1 : 0;
        EXPECT_FALSE(IsStaffLine(position) && IsLedgerLine(position)) << position;
    }
    EXPECT_EQ(staffLines, 10);
    EXPECT_TRUE(IsLedgerLine(35));  // middle C
    EXPECT_TRUE(IsLedgerLine(47));
    EXPECT_FALSE(IsLedgerLine(36));
}

TEST(StaffTest, HalfPositionsBelowZeroStillNameKeys) {
    EXPECT_EQ(KeyFromHalfPosition(70), 60);
    EXPECT_EQ(KeyFromHalfPosition(71), 61);
    EXPECT_EQ(KeyFromHalfPosition(-1), -1);
    EXPECT_EQ(KeyFromHalfPosition(-14), -12);
}

TEST(ScoreLayoutTest, EdgesGiveTheAreasAndSpacing) {
    const ScoreLayout layout = ScreenLayout();
    EXPECT_EQ(layout.notesLeft, 45);
    EXPECT_EQ(layout.staffTop, 10);
    EXPECT_EQ(layout.staffBottom, 568);
    EXPECT_EQ(layout.right2, 800);
    EXPECT_EQ(layout.lineHeight, 12);
    EXPECT_EQ(layout.middleY, 289);
    EXPECT_EQ(layout.stepSpacing, 8);
    EXPECT_EQ(layout.visibleSteps, 68);

    // A window narrower than the clefs leaves no note area.
    const ScoreLayout narrow = ScreenLayout(30, 20);
    EXPECT_EQ(narrow.notesLeft, 30);
    EXPECT_EQ(narrow.staffTop, narrow.staffBottom) << "the staff cannot start below its end";

    // Moving one edge keeps the others.
    ScoreLayout moved = layout;
    SetLayoutEdges(moved, std::nullopt, std::nullopt, 1000, std::nullopt);
    EXPECT_EQ(moved.right, 1000);
    EXPECT_EQ(moved.notesLeft, 45);
    EXPECT_EQ(moved.staffBottom, 568);
}

TEST(ScoreLayoutTest, TinyFontStillSpacesPositions) {
    ScoreLayout layout;
    SetLayoutEdges(layout, 0, 0, 400, 300);
    SetLineHeight(layout, 1);
    EXPECT_EQ(layout.lineHeight, 0);
    EXPECT_GE(layout.stepSpacing, 1);
}

TEST(ScoreWindowTest, ZoomTable) {
    const int expected[] = {36, 54, 72, 90, 144};
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(Window(480, index).pixelsPerQuarter, expected[index]);
    }
    EXPECT_EQ(Window(480, 9).zoomIndex, 4);
    EXPECT_EQ(Window(480, -1).zoomIndex, 0);
}

TEST(ScoreWindowTest, TicksAndPixelsConvertBothWays) {
    const ScoreLayout layout = ScreenLayout();
    ScoreWindow window = Window(480, 3);
    window.firstTick = 960;
    EXPECT_EQ(TickToX(layout, window, 960), 45);
    EXPECT_EQ(TickToX(layout, window, 960 + 480), 45 + 90);  // a quarter at 150 %
    EXPECT_EQ(TickToX(layout, window, 0), 45 - 180);
    EXPECT_EQ(XToTick(layout, window, 135), 1440);
    EXPECT_EQ(XToTick(layout, window, 46), 965);  // 5.33 ticks a pixel, rounded
    // A pixel names the tick nearest to it, and that tick is drawn there
    // or, truncated, one pixel to the left.
    for (int x = 45; x < 800; x += 7) {
        EXPECT_NEAR(TickToX(layout, window, XToTick(layout, window, x)), x, 1);
    }
    // A note of hours ends far off the area instead of overflowing.
    EXPECT_GT(TickToX(layout, window, INT32_MAX), 100000);
}

TEST(ScoreWindowTest, NoteRectSitsOnTheStaffPosition) {
    const ScoreLayout layout = ScreenLayout();
    ScoreWindow window = Window(480);
    window.centrePosition = 35;
    const PixelRect middleC = NoteRect(layout, window, 60, 480, 240, false);
    EXPECT_EQ(middleC, (PixelRect{45 + 72, 289 - 6, 45 + 72 + 36, 289 - 6 + 13}));
    const PixelRect e4 = NoteRect(layout, window, 64, 0, 480, false);
    EXPECT_EQ(e4.top, middleC.top - 2 * 8);
    // In edit mode (or with the option) a sharp rises half a step, a flat sinks.
    EXPECT_EQ(NoteRect(layout, window, 61, 0, 1, false).top, middleC.top);
    EXPECT_EQ(NoteRect(layout, window, 61, 0, 1, true).top, middleC.top - 4);
    EXPECT_EQ(NoteRect(layout, window, 63, 0, 1, true).top,
              NoteRect(layout, window, 64, 0, 1, false).top + 4);
}

TEST(ScoreWindowTest, KeyFromYInvertsNoteRect) {
    const ScoreLayout layout = ScreenLayout();
    for (const int centre : {kLowestCentrePosition, 37, kHighestCentrePosition}) {
        ScoreWindow window = Window(480);
        window.centrePosition = centre;
        for (int key = 0; key < 128; ++key) {
            const PixelRect offset = NoteRect(layout, window, key, 0, 1, true);
            EXPECT_EQ(KeyFromY(layout, window, offset.top), key) << key << " centre " << centre;
            if (AccidentalMark(key) == ' ') {
                const PixelRect plain = NoteRect(layout, window, key, 0, 1, false);
                EXPECT_EQ(KeyFromY(layout, window, plain.top), key) << key;
            }
        }
        // Far off the staff the key leaves the MIDI range instead of wrapping
        // into it.
        EXPECT_LT(KeyFromY(layout, window, 100000), 0);
        EXPECT_GT(KeyFromY(layout, window, -100000), 127);
    }
}

TEST(ScoreWindowTest, PageTurnsNearTheRightEdgeToAWholeQuarter) {
    const ScoreLayout layout = ScreenLayout();  // 755 pixels: 11 quarters at 72
    ScoreWindow window = Window(480);
    EXPECT_FALSE(UpdateWindow(window, layout, 0, true));
    EXPECT_EQ(window.visibleTicks, 11 * 480);
    EXPECT_EQ(window.lastTick, 5280);
    EXPECT_FALSE(UpdateWindow(window, layout, 5280 - 960, true));
    EXPECT_TRUE(UpdateWindow(window, layout, 5280 - 959, true));
    EXPECT_EQ(window.firstTick, 4320);
    EXPECT_EQ(window.lastTick, 4320 + 5280);
    // Back before the window: it starts at the quarter holding the tick.
    EXPECT_TRUE(UpdateWindow(window, layout, 1000, true));
    EXPECT_EQ(window.firstTick, 960);
    // An empty song never moves.
    EXPECT_FALSE(UpdateWindow(window, layout, 100000, false));
    EXPECT_EQ(window.firstTick, 960);
}

TEST(ScoreWindowTest, FirstEventIndexFindsWhatReachesIntoTheWindow) {
    MidiSong song;
    MidiTrack& track = test::AddTrack(song);
    test::AddNote(track, 0, 60, 0, 480);
    test::AddNote(track, 0, 62, 480, 2400);  // long: reaches into the window
    test::AddNote(track, 0, 64, 960, 1440);
    test::FinishSong(song, 480);
    ScoreWindow window = Window(480);
    window.firstTick = 1920;
    window.lastTick = 5000;
    const std::int32_t index = FirstEventIndex(song.messages, window, -1);
    ASSERT_GE(index, 0);
    EXPECT_EQ(song.messages[index]->data1, 62);
    // A stale cache past the answer is not trusted.
    EXPECT_EQ(
        FirstEventIndex(song.messages, window, static_cast<std::int32_t>(song.messages.size()) - 1),
        index);
    window.firstTick = 2400;
    window.lastTick = 9000;
    EXPECT_EQ(FirstEventIndex(song.messages, window, index), -1);
}

TEST(BendPointsTest, ABendLiftsOnlyTheNotesOfItsChannelThatSoundAcrossIt) {
    MidiSong song;
    MidiTrack& track = test::AddTrack(song);
    test::AddNote(track, 0, 60, 0, 480);    // ends where the first bend starts
    test::AddNote(track, 0, 64, 240, 960);  // sounds across both bends
    test::AddNote(track, 0, 67, 480, 960);  // starts with the first bend
    test::AddNote(track, 1, 62, 0, 960);    // another channel
    const int half = 8192 + 4096;
    test::AddEvent(track, 480, CreateChannelEvent(0, 0xE0, half & 0x7F, half >> 7));
    test::AddEvent(track, 720, CreateChannelEvent(0, 0xE0, 0, 64));  // back to the middle
    test::FinishSong(song, 480);
    const ScoreLayout layout = ScreenLayout();
    const ScoreWindow window = Window(480);
    std::vector<std::int32_t> bends;
    for (std::size_t index = 0; index < song.messages.size(); ++index) {
        if (song.messages[index]->kind() == EventKind::PitchWheel) {
            bends.push_back(static_cast<std::int32_t>(index));
        }
    }
    ASSERT_EQ(bends.size(), 2u);

    const std::vector<BendPoint> first = BendPointsOf(song.messages, 0, bends[0], layout, window);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(song.messages[first[0].noteIndex]->data1, 64);
    EXPECT_EQ(first[0].x, TickToX(layout, window, 480));
    EXPECT_EQ(first[0].y, PositionY(layout, window, StaffPosition(64)) - layout.lineHeight / 2);

    const std::vector<BendPoint> second = BendPointsOf(song.messages, 0, bends[1], layout, window);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(song.messages[second[0].noteIndex]->data1, 64);
    EXPECT_EQ(song.messages[second[1].noteIndex]->data1, 67);
    EXPECT_EQ(second[1].y, PositionY(layout, window, StaffPosition(67)));

    // One walk over the page finds the same points for every bend.
    SoundingNotes sounding;
    std::vector<std::vector<BendPoint>> walked;
    for (std::int32_t index = 0; index <= bends[1]; ++index) {
        sounding.Pass(song.messages, index);
        if (index == bends[0] || index == bends[1]) {
            walked.push_back(sounding.PointsOf(song.messages, index, layout, window));
        }
    }
    ASSERT_EQ(walked.size(), 2u);
    for (std::size_t bend = 0; bend < 2; ++bend) {
        const std::vector<BendPoint>& expected = bend == 0 ? first : second;
        ASSERT_EQ(walked[bend].size(), expected.size());
        for (std::size_t point = 0; point < expected.size(); ++point) {
            EXPECT_EQ(walked[bend][point].noteIndex, expected[point].noteIndex);
            EXPECT_EQ(walked[bend][point].y, expected[point].y);
        }
    }
    // A bend before the page's first event has nothing to lift.
    EXPECT_TRUE(BendPointsOf(song.messages, bends[1], bends[0], layout, window).empty());
}

TEST(BendPointsTest, EachChannelKeepsItsOwnTrailWhileOthersBendInBetween) {
    BendTrail trail;
    EXPECT_FALSE(trail.Step(0, {10, 50, 7}));  // a first point has nothing to join
    EXPECT_FALSE(trail.Step(1, {12, 80, 9}));
    const auto melody = trail.Step(0, {14, 46, 7});
    ASSERT_TRUE(melody);
    EXPECT_EQ((std::array{melody->x1, melody->y1, melody->x2, melody->y2}),
              (std::array{10, 50, 14, 46}));
    EXPECT_TRUE(trail.Step(1, {16, 78, 9}));
    // Another note of the channel, or a point left of the last, starts afresh.
    EXPECT_FALSE(trail.Step(0, {18, 40, 11}));
    EXPECT_FALSE(trail.Step(0, {17, 40, 11}));
    EXPECT_TRUE(trail.Step(0, {17, 38, 11}));
}

}  // namespace
}  // namespace tavrino
