// tavrino-tool playlist: the entries as the program reads them.

#include <gtest/gtest.h>

#include <fstream>

#include "tools/tool_test_support.h"

namespace tavrino::test {
namespace {

TEST(PlayListCommand, PrintsResolvedPathsAndMarksMissingOnes) {
    TemporaryFolder folder;
    std::ofstream(folder.File("here.mid")) << "";
    const std::string list = folder.File("list.lst");
    std::ofstream(list, std::ios::binary)
        << "TAVRINO_PLAYLIST 1\r\nhere.mid\r\n/nowhere/gone.kar\r\n";
    const ToolRun run = RunToolWith({"playlist", list});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{folder.File("here.mid"), "/nowhere/gone.kar\t(missing)"}));
}

TEST(PlayListCommand, ADamagedListExitsWithThree) {
    TemporaryFolder folder;
    const std::string song = folder.Write("song.lst", {'M', 'T', 'h', 'd', 0, 0, 0, 6});
    const ToolRun damaged = RunToolWith({"playlist", song});
    EXPECT_EQ(damaged.status, 3);
    EXPECT_NE(damaged.err.find("is not a play list"), std::string::npos) << damaged.err;
    EXPECT_EQ(RunToolWith({"playlist", folder.File("absent.lst")}).status, 1);
    EXPECT_EQ(RunToolWith({"playlist"}).status, 2);
}

}  // namespace
}  // namespace tavrino::test
