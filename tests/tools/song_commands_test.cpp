#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>

#include "song/file_bytes.h"
#include "song/midi_listing.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "song/smf_bytes.h"
#include "tools/demo_song.h"
#include "tools/file_output_buffer.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using test::TemporaryFolder;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class SongCommands : public ::testing::Test {
protected:
    void SetUp() override {
        MidiSong demo;
        BuildDemoSong(demo);
        demoPath = folder.Write("demo.mid", EncodeMidiFile(demo));
    }

    TemporaryFolder folder;
    std::string demoPath;
};

TEST_F(SongCommands, UsageVersionAndHelp) {
    EXPECT_EQ(RunToolWith({}).status, 2);
    const auto version = RunToolWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.out, StartsWith("tavrino-tool "));
    const auto help = RunToolWith({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"info", "listing", "convert"}) {
        EXPECT_THAT(help.out, HasSubstr(command));
        const auto commandHelp = RunToolWith({command, "--help"});
        EXPECT_EQ(commandHelp.status, 0);
        EXPECT_THAT(commandHelp.out, StartsWith(std::string("usage: tavrino-tool ") + command));
    }
    EXPECT_EQ(RunToolWith({"play-it-again"}).status, 2);
    EXPECT_EQ(RunToolWith({"listing"}).status, 2);
    EXPECT_EQ(RunToolWith({"convert", demoPath}).status, 2);
    const auto extra = RunToolWith({"info", demoPath, "more"});
    EXPECT_EQ(extra.status, 2);
    EXPECT_THAT(extra.err, HasSubstr("usage: tavrino-tool info IN"));
    EXPECT_EQ(RunToolWith({"info", demoPath, "--loud"}).status, 2);
}

TEST_F(SongCommands, ReaderFailuresExitWithTheReadersCodeAndOneLine) {
    const std::string missing = folder.File("missing.mid");
    const auto notThere = RunToolWith({"info", missing});
    EXPECT_EQ(notThere.status, 1);
    EXPECT_THAT(notThere.err, StartsWith("tavrino-tool: " + missing + ": cannot open the file"));

    const std::string text = folder.Write("notes.txt", {'h', 'e', 'l', 'l', 'o'});
    const auto badHeader = RunToolWith({"listing", text});
    EXPECT_EQ(badHeader.status, 4);
    EXPECT_EQ(badHeader.err, "tavrino-tool: " + text + ": not a Standard MIDI File (bad header)\n");

    // A chunk cut inside a note-on's data bytes.
    const std::string damaged =
        folder.Write("cut.mid", test::Concat({test::Header(1, 1, 96),
                                              {'M', 'T', 'r', 'k', 0, 0, 0, 9},
                                              test::Ev(0, {0x90, 60, 1}),
                                              test::Ev(5, {0x90, 60})}));
    const auto readError = RunToolWith({"convert", damaged, folder.File("out.mid")});
    EXPECT_EQ(readError.status, 3);
    EXPECT_EQ(readError.err, "tavrino-tool: " + damaged + ": read error: damaged at byte 29\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.mid")));
}

TEST_F(SongCommands, ListingGoesToStandardOutputOrAFile) {
    MidiSong song;
    ASSERT_EQ(ReadMidiFile(song, demoPath), kReadOk);
    const auto listed = RunToolWith({"listing", demoPath});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, FormatListing(song));

    const std::string out = folder.File("listing.txt");
    EXPECT_EQ(RunToolWith({"listing", demoPath, out}).status, 0);
    std::vector<std::uint8_t> written;
    ASSERT_TRUE(ReadFileBytes(out, written));
    EXPECT_EQ(std::string(written.begin(), written.end()), listed.out);

    const auto unwritable = RunToolWith({"listing", demoPath, folder.File("no/such/folder.txt")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_THAT(unwritable.err, HasSubstr("cannot write the file"));
}

TEST_F(SongCommands, ConvertWritesAFormat1File) {
    const std::string out = folder.File("converted.mid");
    EXPECT_EQ(RunToolWith({"convert", demoPath, out}).status, 0);
    std::vector<std::uint8_t> original;
    std::vector<std::uint8_t> converted;
    ASSERT_TRUE(ReadFileBytes(demoPath, original));
    ASSERT_TRUE(ReadFileBytes(out, converted));
    EXPECT_EQ(converted, original);
    EXPECT_EQ(RunToolWith({"convert", demoPath, folder.File("no/such/folder.mid")}).status, 1);
}

TEST_F(SongCommands, InfoTellsTracksChannelsLengthTempoAndMeter) {
    const auto info = RunToolWith({"info", demoPath});
    EXPECT_EQ(info.status, 0);
    EXPECT_THAT(info.out, HasSubstr("format         1\n"));
    EXPECT_THAT(info.out, HasSubstr("division       480 ticks per quarter note\n"));
    EXPECT_THAT(info.out, HasSubstr("tracks         4\n"));
    EXPECT_THAT(info.out, HasSubstr("length         32640 ticks, 17 bars\n"));
    EXPECT_THAT(info.out, HasSubstr("    3  10               386  Drums\n"));
    EXPECT_THAT(info.out, HasSubstr("  tick          0   100.00 bpm\n"));
    EXPECT_THAT(info.out, HasSubstr("  tick          0  4/4\n"));
    EXPECT_THAT(info.out, HasSubstr("note pairing   0 corrected, 0 overlapped, 0 unfinished\n"));
}

// Output lost to a full disk must not pass for success, whichever command
// wrote it. Windows has no device that is always full.
#if !defined(_WIN32)
TEST_F(SongCommands, AFailedWriteToStandardOutputFailsWithOneLineNamingTheReason) {
    const int full = ::open("/dev/full", O_WRONLY);
    if (full < 0) {
        GTEST_SKIP() << "no /dev/full here";
    }
    const std::vector<std::vector<std::string>> commands = {
        {"info", demoPath}, {"listing", demoPath}, {"--help"}};
    for (const auto& args : commands) {
        std::ostringstream err;
        int status = 0;
        {
            tool::FileOutputBuffer buffer(full);
            std::ostream out(&buffer);
            status = tool::RunTool(args, {out, err});
        }
        EXPECT_EQ(status, 1) << args.front();
        EXPECT_EQ(err.str(), "tavrino-tool: cannot write to standard output: " +
                                 std::string(std::strerror(ENOSPC)) + "\n")
            << args.front();
    }
    ::close(full);
}
#endif

}  // namespace
}  // namespace tavrino
