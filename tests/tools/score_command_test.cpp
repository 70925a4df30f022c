#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using ::testing::HasSubstr;

const std::string kDemoSong = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";

TEST(ScoreCommand, WritesAPngOfTheRequestedSize) {
    const test::TemporaryFolder folder;
    const std::string out = folder.File("score.png");
    const test::ToolRun run = RunToolWith({"score", kDemoSong, out, "--width", "640", "--height",
                                           "360", "--zoom", "4", "--at", "3000"});
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(out)));
    EXPECT_EQ(image.size(), QSize(640, 360));
    // Not a blank page: the staff lines and note bars are there.
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 640 * 5);
}

TEST(ScoreCommand, RefusesBadOptionsAndUnwritableFiles) {
    const test::TemporaryFolder folder;
    const test::ToolRun zoom =
        RunToolWith({"score", kDemoSong, folder.File("a.png"), "--zoom", "5"});
    EXPECT_EQ(zoom.status, 2);
    EXPECT_THAT(zoom.err, HasSubstr("zoom"));
    // However many options are wrong, the first is reported, once.
    for (const std::vector<std::string>& wrong : {
             std::vector<std::string>{"--zoom", "x"},
             {"--zoom", "9", "--width", "5"},
             {"--width", "wide", "--height", "tall"},
         }) {
        std::vector<std::string> args = {"score", kDemoSong, folder.File("d.png")};
        args.insert(args.end(), wrong.begin(), wrong.end());
        const test::ToolRun run = RunToolWith(args);
        EXPECT_EQ(run.status, 2) << wrong[1];
        EXPECT_EQ(test::Lines(run.err).size(), 3u) << run.err;
        EXPECT_THAT(run.err, HasSubstr("tavrino-tool score: --" + wrong[0].substr(2)));
    }
    const test::ToolRun missing =
        RunToolWith({"score", folder.File("none.mid"), folder.File("b.png")});
    EXPECT_NE(missing.status, 0);
    const test::ToolRun unwritable =
        RunToolWith({"score", kDemoSong, folder.File("no/such/folder/c.png")});
    EXPECT_EQ(unwritable.status, 1);
}

}  // namespace
}  // namespace tavrino
