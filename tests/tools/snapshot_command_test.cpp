// The snapshot command draws the program's windows with a song loaded and
// the play position placed: what sounds there shows pressed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include "monitors/diatonic_geometry.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using ::testing::HasSubstr;

const std::string kDemoSong = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";
// The melody's A in bar 2: a whole-step bend on hole 3 of a C harmonica.
const std::string kBendTick = "3700";

QImage Snapshot(const test::TemporaryFolder& folder, const std::vector<std::string>& options) {
    const std::string out = folder.File(options.front() + std::to_string(options.size()) + ".png");
    std::vector<std::string> args = {"snapshot", options.front(), kDemoSong, out};
    args.insert(args.end(), options.begin() + 1, options.end());
    const test::ToolRun run = RunToolWith(args);
    EXPECT_EQ(run.status, 0) << run.err;
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(out))) << out;
    return image;
}

TEST(SnapshotCommand, DrawsEachMonitorWithTheNotesAtTheTickPressed) {
    const test::TemporaryFolder folder;
    struct Case {
        std::string window;
        QSize size;
    };
    for (const Case& c :
         {Case{"diatonic", {430, 218}}, Case{"chromatic", {318, 149}}, Case{"piano", {745, 115}}}) {
        const QImage idle = Snapshot(folder, {c.window});
        const QImage playing = Snapshot(folder, {c.window, "--at", kBendTick});
        EXPECT_EQ(idle.size(), c.size) << c.window;
        EXPECT_EQ(playing.size(), c.size) << c.window;
        EXPECT_NE(idle, playing) << c.window << ": nothing pressed at the tick";
    }
    // On the diatonic harmonica the bent A is the pressed 3-draw bend, in
    // the bend colour (yellow by default).
    const QImage bend = Snapshot(folder, {"diatonic", "--at", kBendTick});
    const QRect button = diatonic_geometry::ButtonRect(diatonic_geometry::kExpandedMargin, 2,
                                                       DiatonicKind::Bend2, false);
    const QColor fill = bend.pixelColor(button.left() + 3, button.center().y());
    EXPECT_GT(fill.red(), 150);
    EXPECT_GT(fill.green(), 150);
    EXPECT_LT(fill.blue(), 100);

    // In a G harmonica's key the same tick presses something else.
    EXPECT_NE(Snapshot(folder, {"diatonic", "--at", kBendTick, "--key", "55"}), bend);
}

TEST(SnapshotCommand, DrawsTheMainWindowAndRefusesUnknownWindows) {
    const test::TemporaryFolder folder;
    const QImage main = Snapshot(folder, {"main", "--at", "1920"});
    EXPECT_GE(main.width(), 800);

    const test::ToolRun unknown =
        RunToolWith({"snapshot", "organ", kDemoSong, folder.File("x.png")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("diatonic"));
    const test::ToolRun help = RunToolWith({"snapshot", "--help"});
    EXPECT_THAT(help.out, HasSubstr("chromatic"));
    const test::ToolRun missing =
        RunToolWith({"snapshot", "piano", folder.File("none.mid"), folder.File("y.png")});
    EXPECT_NE(missing.status, 0);
    const test::ToolRun tuning =
        RunToolWith({"snapshot", "chromatic", kDemoSong, folder.File("z.png"), "--tuning", "99"});
    EXPECT_EQ(tuning.status, 2);
    EXPECT_THAT(tuning.err, HasSubstr("chromatic tuning"));
}

TEST(SnapshotCommand, DrawsTheMixerPlayingAndEachEventDialog) {
    const test::TemporaryFolder folder;
    for (const std::string window : {"file-properties", "position-entry", "tempo-entry",
                                     "program-entry", "track-properties"}) {
        const QImage dialog = Snapshot(folder, {window, "--at", "15420"});
        EXPECT_GE(dialog.width(), 200) << window;
        EXPECT_GE(dialog.height(), 80) << window;
    }
    // The demo song's four tracks, and during playback the meters of the
    // three that play are lit.
    const QImage idle = Snapshot(folder, {"mixer"});
    const QImage playing = Snapshot(folder, {"mixer", "--at", "15420"});
    ASSERT_EQ(idle.size(), playing.size());
    // The window is as high as its rows, in a framed list 5 pixels from the
    // edges; the meters are at x 47 to 57.
    const int rowHeight = (idle.height() - 12) / 4;
    int lit = 0;
    for (int row = 0; row < 4; ++row) {
        const QPoint meter(52, 6 + rowHeight * row + rowHeight / 2);
        EXPECT_EQ(idle.pixelColor(meter).green(), 0x30) << "row " << row << " at rest";
        lit += playing.pixelColor(meter).red() > 0x80 ? 1 : 0;
    }
    EXPECT_EQ(lit, 3);

    EXPECT_NE(Snapshot(folder, {"track-properties", "--track", "2"}),
              Snapshot(folder, {"track-properties"}));
    const test::ToolRun beyond = RunToolWith(
        {"snapshot", "track-properties", kDemoSong, folder.File("t.png"), "--track", "4"});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_THAT(beyond.err, HasSubstr("4 tracks"));
    // Every family's windows are listed, each with its summary.
    const test::ToolRun help = RunToolWith({"snapshot", "--help"});
    EXPECT_THAT(help.out, HasSubstr("track-properties  the track properties"));
    EXPECT_THAT(help.out, HasSubstr("main              the main window"));
}

int PixelsOf(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST(SnapshotCommand, DrawsTheOptionsPagesAndTheHighContrastColours) {
    const test::TemporaryFolder folder;
    const QImage print = Snapshot(folder, {"options-print"});
    const QImage lyrics = Snapshot(folder, {"options-lyrics"});
    EXPECT_GE(print.width(), 300);
    EXPECT_NE(print, lyrics);
    // The high-contrast draw bars are dark blue; by default there is none.
    const QColor draw(30, 63, 158);
    const QImage plain = Snapshot(folder, {"main", "--tablature", "diatonic"});
    const QImage contrast =
        Snapshot(folder, {"main", "--tablature", "diatonic", "--colours", "high-contrast"});
    EXPECT_EQ(PixelsOf(plain, draw), 0);
    EXPECT_GT(PixelsOf(contrast, draw), 100);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--colours", "loud"}, {"--tablature", "banjo"}}) {
        std::vector<std::string> args = {"snapshot", "main", kDemoSong, folder.File("w.png")};
        args.insert(args.end(), wrong.begin(), wrong.end());
        EXPECT_EQ(RunToolWith(args).status, 2) << wrong[0];
    }
}

}  // namespace
}  // namespace tavrino
