#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using ::testing::HasSubstr;

const std::string kDemoSong = std::string(TAVRINO_SOURCE_DIR) + "/examples/oh-susanna.mid";

// The pages of a PDF file, counted from its page objects.
int PdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), page), {}));
}

TEST(PrintCommand, WritesAsManyPagesAsTheBeatsPerLineAsk) {
    const test::TemporaryFolder folder;
    int previous = 0;
    // The song's 68 beats take one page of six lines of 16 beats.
    for (const char* beats : {"16", "4", "1"}) {
        const std::string out = folder.File(std::string("song-") + beats + ".pdf");
        const test::ToolRun run =
            RunToolWith({"print", kDemoSong, out, "--beats-per-line", beats, "--page", "Letter"});
        ASSERT_EQ(run.status, 0) << run.err;
        const int pages = PdfPages(out);
        EXPECT_EQ(run.out, std::to_string(pages) + (pages == 1 ? " page\n" : " pages\n"));
        // Fewer beats on a line take more pages.
        EXPECT_GT(pages, previous) << beats;
        previous = pages;
    }
    // Only the part between the ticks: one line of 16 beats.
    const std::string part = folder.File("part.pdf");
    const test::ToolRun run = RunToolWith(
        {"print", kDemoSong, part, "--from", "1920", "--to", "3840", "--harmonica", "chromatic"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(PdfPages(part), 1);
}

TEST(PrintCommand, RefusesWhatCannotPrintInOneLine) {
    const test::TemporaryFolder folder;
    const std::string out = folder.File("x.pdf");
    const struct {
        std::vector<std::string> options;
        int status;
        const char* says;
    } cases[] = {
        {{"--beats-per-line", "0"}, 2, "--beats-per-line"},
        {{"--beats-per-line", "1000"}, 2, "--beats-per-line"},
        {{"--page", "A5"}, 2, "--page"},
        {{"--from", "960", "--to", "960"}, 1, "empty"},
        {{"--from", "4000", "--to", "960"}, 1, "empty"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"print", kDemoSong, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const test::ToolRun run = RunToolWith(args);
        EXPECT_EQ(run.status, c.status) << c.says;
        EXPECT_THAT(run.err, HasSubstr(c.says));
    }
    const test::ToolRun unwritable =
        RunToolWith({"print", kDemoSong, folder.File("no/such/folder/x.pdf")});
    EXPECT_EQ(unwritable.status, 1);
}

}  // namespace
}  // namespace tavrino
