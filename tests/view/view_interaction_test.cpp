// The plain geometry of the score's mouse handling: snapping, marks, hit
// tests, the drag of a selected note, and the note menu.

#include <gtest/gtest.h>

#include "document/test_songs.h"
#include "harmonica/note_naming.h"
#include "view/note_menu.h"
#include "view/note_tracker.h"
#include "view/pointer_geometry.h"

namespace tavrino {
namespace {

constexpr int kDivision = 480;

// 800 x 600 at 100 %: 72 pixels a quarter (a grid step of 20 ticks is 3
// pixels), staff positions 8 pixels apart, so a half step is 4 pixels.
struct Screen {
    Screen() {
        layout.tabStaffSpace = 1;
        SetLayoutEdges(layout, 0, 0, 800, 600);
        SetLineHeight(layout, 13);
        window.division = kDivision;
        SetZoom(window, kDefaultZoomIndex);
        window.lastTick = 11 * kDivision;
    }
    ScoreLayout layout;
    ScoreWindow window;
};

TEST(PointerGeometryTest, TicksSnapToTheNearestTwentyFourthOfAQuarter) {
    struct Case {
        std::int32_t tick;
        int division;
        std::int32_t snapped;
    };
    for (const Case& c :
         {Case{29, 480, 20}, Case{31, 480, 40}, Case{490, 480, 500}, Case{479, 480, 480},
          Case{50, 100, 50}, Case{52, 100, 50}, Case{53, 100, 54}, Case{7, 0, 7}}) {
        EXPECT_EQ(SnapTick(c.tick, c.division), c.snapped) << c.tick << " at " << c.division;
    }
    const Screen screen;
    // Left of the note area the pointer counts as its left edge.
    EXPECT_EQ(TickUnderPointer(screen.layout, screen.window, 3, true), 0);
    EXPECT_EQ(TickUnderPointer(screen.layout, screen.window, 45 + 10, false), 67);
    EXPECT_EQ(TickUnderPointer(screen.layout, screen.window, 45 + 10, true), 60);
}

TEST(PointerGeometryTest, AMarkPlacedBeyondTheOtherClearsIt) {
    struct Case {
        bool end;
        std::int32_t begin, endMark, tick;
        std::int32_t wantBegin, wantEnd;
    };
    for (const Case& c : {Case{false, -1, 960, 480, 480, 960}, Case{false, -1, 960, 960, 960, -1},
                          Case{true, 480, -1, 960, 480, 960}, Case{true, 480, 960, 240, -1, 240},
                          Case{true, 480, 960, 480, -1, 480}}) {
        std::int32_t begin = c.begin;
        std::int32_t end = c.endMark;
        if (c.end) {
            PlaceEndMarkAt(begin, end, c.tick);
        } else {
            PlaceBeginMarkAt(begin, end, c.tick);
        }
        EXPECT_EQ(begin, c.wantBegin) << c.tick;
        EXPECT_EQ(end, c.wantEnd) << c.tick;
    }
    const Screen screen;
    EXPECT_TRUE(InMarkBand(screen.layout, screen.window, 30, 5));
    EXPECT_FALSE(InMarkBand(screen.layout, screen.window, 10, 5));  // under the clefs' corner
    EXPECT_FALSE(InMarkBand(screen.layout, screen.window, 300, screen.layout.staffTop + 1));
}

TEST(PointerGeometryTest, OnlyDrawnNotesAreHitAndTheTopmostWins) {
    MidiSong song;
    MidiTrack& melody = test::AddTrack(song);
    test::AddNote(melody, 0, 60, 0, 960);
    test::AddNote(melody, 0, 60, 480, 960);    // overlaps the first, drawn on top
    test::AddNote(melody, 9, 60, 1440, 1920);  // percussion is not drawn
    MidiTrack& hidden = test::AddTrack(song);
    test::AddNote(hidden, 1, 60, 2400, 2880);
    hidden.flags = 0;
    test::FinishSong(song, kDivision);
    const Screen screen;
    const auto hitAt = [&](std::int32_t tick) {
        const PixelRect bar = NoteRect(screen.layout, screen.window, 60, tick, 1, false);
        return HitNote(song.messages, 0, screen.layout, screen.window,
                       TickToX(screen.layout, screen.window, tick) + 2, bar.top + 2, false);
    };
    ASSERT_TRUE(hitAt(100));
    EXPECT_EQ(song.messages[hitAt(100)->index]->time, 0);
    ASSERT_TRUE(hitAt(600));
    EXPECT_EQ(song.messages[hitAt(600)->index]->time, 480);
    EXPECT_FALSE(hitAt(1500));
    EXPECT_FALSE(hitAt(2500));
    hidden.flags = MidiTrack::kHighlighted;  // a highlighted track shows on screen
    EXPECT_TRUE(hitAt(2500));
}

TEST(NoteTrackerTest, TheStretchHandleSitsOutsideTheRightSide) {
    const PixelRect frame{100, 50, 160, 63};
    EXPECT_EQ(GripAt(frame, 163, 56), TrackerGrip::kResize);
    EXPECT_EQ(GripAt(frame, 159, 56), TrackerGrip::kMove);
    EXPECT_EQ(GripAt(frame, 100, 50), TrackerGrip::kMove);
    EXPECT_EQ(GripAt(frame, 163, 51), TrackerGrip::kNone);
    EXPECT_EQ(GripAt(frame, 99, 56), TrackerGrip::kNone);
}

TEST(NoteTrackerTest, DragsMoveInGridStepsKeepWhatDidNotMoveAndStayInBounds) {
    const Screen screen;
    MidiSong song;
    MidiTrack& melody = test::AddTrack(song);
    MidiEvent& note = test::AddNote(melody, 0, 60, 960, 1440);
    test::FinishSong(song, kDivision);
    const SelectionBounds alone{960, 60, 60};
    const SelectionBounds underHighNote{960, 60, 125};  // another selected note at 125
    struct Case {
        const char* what;
        TrackerDrag drag;
        SelectionBounds bounds;
        NoteDragTarget want;
    };
    const Case cases[] = {
        {"a quarter later", {TrackerGrip::kMove, 72, 0, false}, alone, {60, 1440, 1920}},
        {"onto the grid", {TrackerGrip::kMove, 10, 0, false}, alone, {60, 1020, 1500}},
        {"off the grid with Shift", {TrackerGrip::kMove, 10, 0, true}, alone, {60, 1026, 1506}},
        {"pitch only keeps the times", {TrackerGrip::kMove, 0, -8, false}, alone, {62, 960, 1440}},
        {"a half step", {TrackerGrip::kMove, 0, -4, false}, alone, {61, 960, 1440}},
        {"less than a half step", {TrackerGrip::kMove, 0, 3, false}, alone, {60, 960, 1440}},
        {"stretch keeps the start", {TrackerGrip::kResize, 36, 9, false}, alone, {60, 960, 1680}},
        {"never shorter than a tick",
         {TrackerGrip::kResize, -200, 0, false},
         alone,
         {60, 960, 961}},
        {"stops at the song's start", {TrackerGrip::kMove, -1000, 0, false}, alone, {60, 0, 480}},
        {"the group stops at key 127",
         {TrackerGrip::kMove, 0, -400, false},
         underHighNote,
         {62, 960, 1440}},
        {"and at key 0", {TrackerGrip::kMove, 0, 2000, false}, alone, {0, 960, 1440}},
    };
    for (const Case& c : cases) {
        const NoteDragTarget target =
            DragTargetOf(note, c.drag, screen.layout, screen.window, c.bounds);
        EXPECT_EQ(target.pitch, c.want.pitch) << c.what;
        EXPECT_EQ(target.start, c.want.start) << c.what;
        EXPECT_EQ(target.end, c.want.end) << c.what;
    }
}

class NoteMenuTest : public ::testing::Test {
protected:
    NoteMenuTest() {
        test::AddTrack(song_);
        MidiTrack& lead = test::AddTrack(song_);
        lead.name = "Lead";
        test::AddNote(lead, 0, 67, 0, 480);
        test::FinishSong(song_, kDivision);
        diatonic_.Reset(60, nullptr, settings_);
    }

    std::vector<NoteMenuEntry> Entries(int tablature, bool playing) {
        const TabSource tabs{tablature, &diatonic_, &chromatic_, settings_.symbols, 0};
        const MidiEvent* note = nullptr;
        for (const MidiEvent* event : song_.messages) {
            note = event->isSoundingNoteOn() ? event : note;
        }
        return NoteMenuEntries(song_, *note, playing, tabs);
    }

    static std::vector<int> Commands(const std::vector<NoteMenuEntry>& entries) {
        std::vector<int> commands;
        for (const NoteMenuEntry& entry : entries) {
            commands.push_back(entry.command);
        }
        return commands;
    }

    MidiSong song_;
    Settings settings_;
    DiatonicLayout diatonic_;
    ChromaticLayout chromatic_;
};

TEST_F(NoteMenuTest, TheMenuOffersEditsOnlyWhileStoppedAndAlternatesOnlyForTabs) {
    const std::vector<NoteMenuEntry> notes = Entries(kTablatureNotes, false);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front().text, std::string(NoteName(67, 0)) + " Trk:01 Lead");
    EXPECT_EQ(
        Commands(notes),
        (std::vector<int>{kMenuHighlightTrack, kMenuSeparator, kMenuTrackProperties, kMenuHideTrack,
                          kMenuShowOnlyTrack, kMenuSeparator, kMenuDeleteNote, kMenuDeleteTrack}));

    // G on a C harmonica: draw 2 first, then blow 3.
    const std::vector<NoteMenuEntry> playing = Entries(kTablatureDiatonic, true);
    ASSERT_EQ(Commands(playing), (std::vector<int>{kMenuHighlightTrack, kMenuSeparator,
                                                   kMenuAlternatesTitle, kMenuFirstAlternate + 1}));
    EXPECT_EQ(playing[2].text, "Alternates:");
    EXPECT_EQ(playing[3].text, "    +3");
}

}  // namespace
}  // namespace tavrino
