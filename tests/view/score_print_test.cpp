#include "view/score_print.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "document/test_songs.h"

namespace tavrino {
namespace {

constexpr std::int16_t kDivision = 480;
constexpr std::int32_t kQuarter = kDivision;
constexpr int kScreenCentre = 37;

// One note from tick 0 to the quarter given, and another at `strayTick`.
void MakeSong(MidiSong& song, int quarters, std::int32_t strayTick = -1) {
    MidiTrack& track = test::AddTrack(song);
    test::AddNote(track, 0, 72, 0, quarters * kQuarter);
    if (strayTick >= 0) {
        test::AddNote(track, 0, 60, strayTick, strayTick + 1);
    }
    test::FinishSong(song, kDivision);
}

struct PlanCase {
    const char* name;
    int quarters;
    int beatsPerLine;
    bool treble;
    bool bass;
    std::int32_t beginMark;
    std::int32_t endMark;
    int linesPerPage;
    int lineHeight;
    int centre;
    std::int32_t rangeStart;
    int pages;
};

TEST(PrintPlan, LinesPagesAndRangeFollowTheOptionsAndMarks) {
    const PlanCase cases[] = {
        // 16 beats on 5 lines: 80 quarters a page.
        {"70 quarters fit one page", 70, 16, true, true, kNoMark, kNoMark, 5, 214, kScreenCentre, 0,
         1},
        {"200 quarters take three", 200, 16, true, true, kNoMark, kNoMark, 5, 214, kScreenCentre, 0,
         3},
        {"treble only: six lines", 70, 16, true, false, kNoMark, kNoMark, 6, 178, 41, 0, 1},
        {"bass only: six lines", 70, 16, false, true, kNoMark, kNoMark, 6, 178, 31, 0, 1},
        {"no clef: six lines", 70, 16, false, false, kNoMark, kNoMark, 6, 178, 41, 0, 1},
        {"marks: only their part", 200, 16, true, true, 100 * kQuarter, 180 * kQuarter, 5, 214,
         kScreenCentre, 100 * kQuarter, 1},
        {"begin mark alone: to the end", 200, 16, true, true, 30 * kQuarter, kNoMark, 5, 214,
         kScreenCentre, 30 * kQuarter, 3},
        {"0 beats print 1", 70, 0, true, true, kNoMark, kNoMark, 5, 214, kScreenCentre, 0, 14},
        {"1000 beats print 48", 500, 1000, true, true, kNoMark, kNoMark, 5, 214, kScreenCentre, 0,
         3},
    };
    for (const PlanCase& c : cases) {
        MidiSong song;
        MakeSong(song, c.quarters);
        Settings settings;
        settings.printBeatsPerLine = static_cast<std::int16_t>(c.beatsPerLine);
        settings.printTrebleClef = c.treble ? 1 : 0;
        settings.printBassClef = c.bass ? 1 : 0;
        std::string problem;
        const std::optional<PrintPlan> plan =
            PlanPrint(song, settings, c.beginMark, c.endMark, kScreenCentre, problem);
        ASSERT_TRUE(plan) << c.name << ": " << problem;
        EXPECT_EQ(plan->linesPerPage, c.linesPerPage) << c.name;
        EXPECT_EQ(plan->lineHeight, c.lineHeight) << c.name;
        EXPECT_EQ(plan->centrePosition, c.centre) << c.name;
        EXPECT_EQ(plan->rangeStart, c.rangeStart) << c.name;
        EXPECT_EQ(plan->pageCount, c.pages) << c.name;
        EXPECT_GE(plan->beatsPerLine, 1) << c.name;
        EXPECT_LE(plan->beatsPerLine, kMostBeatsPerLine) << c.name;
    }
}

TEST(PrintPlan, RefusesWhatCannotPrintWithAReason) {
    MidiSong song;
    MakeSong(song, 70);
    MidiSong empty;
    empty.division = kDivision;
    // A stray note far after the music would make hundreds of thousands of
    // pages of one beat.
    MidiSong stray;
    MakeSong(stray, 1, 1 << 30);
    Settings oneBeat;
    oneBeat.printBeatsPerLine = 1;
    struct Case {
        const char* name;
        const MidiSong& song;
        std::int32_t begin;
        std::int32_t end;
        const Settings& settings;
    };
    const Settings defaults;
    for (const Case& c : {Case{"no tracks", empty, kNoMark, kNoMark, defaults},
                          Case{"empty selection", song, 960, 960, defaults},
                          Case{"end before begin", song, 4800, 960, defaults},
                          Case{"begin after the song", song, 100 * kQuarter, kNoMark, defaults},
                          Case{"endless pages", stray, kNoMark, kNoMark, oneBeat}}) {
        std::string problem;
        EXPECT_FALSE(PlanPrint(c.song, c.settings, c.begin, c.end, kScreenCentre, problem))
            << c.name;
        EXPECT_FALSE(problem.empty()) << c.name;
    }
}

// Pages painted into an image as large as the page's logical units, so that
// a unit is a pixel.
class PrintedPageTest : public ::testing::Test {
protected:
    static constexpr int kBeats = 4;
    static constexpr std::int32_t kLineTicks = kBeats * kQuarter;
    static constexpr int kLineTop = 18;
    static constexpr int kLineHeight = 178;  // six lines: treble clef only
    static constexpr int kPitch = 72;

    PrintedPageTest() { settings_.printBeatsPerLine = kBeats; }

    QImage Page(int page, std::int32_t begin = kNoMark, std::int32_t end = kNoMark) {
        std::string problem;
        const std::optional<PrintPlan> plan =
            PlanPrint(song_, settings_, begin, end, kScreenCentre, problem);
        EXPECT_TRUE(plan) << problem;
        QImage image(kPrintPageWidth, kPrintPageHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        if (plan) {
            QPainter painter(&image);
            const ScoreScene scene{song_, settings_, TabSource{}, PlayState{}};
            ScorePrinter(scene, *plan, {"Song", ""}).PaintPage(painter, page);
        }
        return image;
    }

    // Whether some pixel of the column within the line has the colour.
    static bool LineShows(const QImage& image, int line, int x, QColor colour) {
        const int top = kLineTop + line * kLineHeight;
        for (int y = top; y < top + kLineHeight; ++y) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
        return false;
    }

    QColor TrackColour() const { return ScoreStyle(settings_).TrackColour(0); }

    Settings settings_;
    MidiSong song_;
};

TEST_F(PrintedPageTest, EveryLineStartsAtItsOwnTickFromTheBeginMark) {
    // The begin mark lies inside a beat: the first line starts there, not at
    // the beat, and every line after it a line's beats later.
    constexpr std::int32_t kBegin = 1000;
    MidiTrack& track = test::AddTrack(song_);
    test::AddNote(track, 0, kPitch, kBegin, kBegin + kQuarter / 4);
    test::AddNote(track, 0, kPitch, kBegin + 3 * kLineTicks, kBegin + 3 * kLineTicks + kQuarter);
    test::AddNote(track, 0, kPitch, kBegin + 8 * kLineTicks, kBegin + 8 * kLineTicks + kQuarter);
    test::FinishSong(song_, kDivision);

    const QImage first = Page(1, kBegin, kBegin + 9 * kLineTicks);
    const int notesLeft = ScoreLayout::kClefWidth;
    EXPECT_TRUE(LineShows(first, 0, notesLeft + 2, TrackColour()));
    EXPECT_TRUE(LineShows(first, 3, notesLeft + 2, TrackColour()));
    EXPECT_FALSE(LineShows(first, 1, notesLeft + 2, TrackColour()));
    // Line 8 is the second page's third line.
    const QImage second = Page(2, kBegin, kBegin + 9 * kLineTicks);
    EXPECT_TRUE(LineShows(second, 2, notesLeft + 2, TrackColour()));
    EXPECT_FALSE(LineShows(second, 0, notesLeft + 2, TrackColour()));
}

TEST_F(PrintedPageTest, HiddenTracksNeverPrintAndBarsMayBeWhite) {
    MidiTrack& shown = test::AddTrack(song_);
    test::AddNote(shown, 0, kPitch, 0, kQuarter);
    MidiTrack& hidden = test::AddTrack(song_);
    hidden.flags = MidiTrack::kHighlighted;  // highlighted on screen, not visible
    test::AddNote(hidden, 1, kPitch, 2 * kQuarter, 3 * kQuarter);
    test::FinishSong(song_, kDivision);
    const int pixelsPerQuarter = (kPrintPageWidth - ScoreLayout::kClefWidth) / kBeats;
    const int shownX = ScoreLayout::kClefWidth + pixelsPerQuarter / 2;
    const int hiddenX = shownX + 2 * pixelsPerQuarter;

    const QImage coloured = Page(1);
    EXPECT_TRUE(LineShows(coloured, 0, shownX, TrackColour()));
    const QColor highlight = ScoreStyle(settings_).highlight;
    EXPECT_FALSE(LineShows(coloured, 0, hiddenX, highlight));

    settings_.printNoColorBars = 1;
    const QImage white = Page(1);
    EXPECT_FALSE(LineShows(white, 0, shownX, TrackColour()));
    // Where the bar was coloured it is white now, its outline still around.
    int barPixels = 0;
    for (int y = kLineTop; y < kLineTop + kLineHeight; ++y) {
        if (coloured.pixelColor(shownX, y) == TrackColour()) {
            ++barPixels;
            EXPECT_EQ(white.pixelColor(shownX, y), QColor(Qt::white)) << y;
        }
    }
    EXPECT_GT(barPixels, 3);
}

}  // namespace
}  // namespace tavrino
