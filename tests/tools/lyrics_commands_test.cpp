#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document/tab_text_track.h"
#include "document/test_songs.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"
#include "tools/demo_song.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::RunToolWith;
using ::testing::HasSubstr;

// A song whose track 1 sings the given lyrics, one per quarter note.
std::string WriteKaraoke(test::TemporaryFolder& folder, const std::string& name,
                         const std::vector<std::string>& lyrics) {
    MidiSong song;
    test::AddTempo(test::AddTrack(song), 0, 500000);
    MidiTrack& words = test::AddTrack(song);
    for (std::size_t i = 0; i < lyrics.size(); ++i) {
        const auto time = static_cast<std::int32_t>(480 * i);
        test::AddNote(words, 0, 60, time, time + 400);
        test::AddEvent(
            words, time,
            CreateMetaEvent(time, 0x05,
                            std::span(reinterpret_cast<const std::uint8_t*>(lyrics[i].data()),
                                      lyrics[i].size())));
    }
    test::FinishSong(song);
    return folder.Write(name, EncodeMidiFile(song));
}

TEST(LyricsCommand, ReadsEachEncodingIntoUtf8) {
    struct Case {
        std::string name;
        std::vector<std::string> lyrics;
        std::vector<std::string> options;
        std::string shown;
    };
    const Case cases[] = {
        {"german-latin1.kar",
         {"@TLorelei", "\\Ich ", "wei\xDF ", "nicht", "/M\xE4r", "chen"},
         {},
         "Lorelei\n\nIch wei\xC3\x9F nicht\nM\xC3\xA4rchen\n"},
        // The second byte of "so" (0x83 0x5C) is a backslash in ASCII: read
        // as Shift-JIS it must not break the line.
        {"japanese-sjis.kar",
         {"@T\x82\xB3\x82\xAD\x82\xE7", "\\\x83\x5C", "\x81\x5B", "\x83\x5F"},
         {"--encoding", "Shift_JIS"},
         "\xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89\n\n\xE3\x82\xBD\xE3\x83\xBC\xE3\x83\x80\n"},
        {"utf8-bom.kar",
         {"\xEF\xBB\xBF"
          "Fr\xC3\xA8re ",
          "Jac", "ques"},
         {"--encoding", "Shift_JIS"},
         "Fr\xC3\xA8re Jacques\n"},
    };
    test::TemporaryFolder folder;
    for (const Case& c : cases) {
        std::vector<std::string> args{"lyrics", WriteKaraoke(folder, c.name, c.lyrics)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const test::ToolRun run = RunToolWith(args);
        EXPECT_EQ(run.status, tool::kExitOk) << c.name << run.err;
        EXPECT_EQ(run.out, c.shown) << c.name;
    }
}

TEST(LyricsCommand, RefusesUnknownEncodingsAndTracksWithoutWords) {
    test::TemporaryFolder folder;
    const std::string song = WriteKaraoke(folder, "song.kar", {"la"});
    const test::ToolRun encoding = RunToolWith({"lyrics", song, "--encoding", "klingon"});
    EXPECT_EQ(encoding.status, tool::kExitUsage);
    EXPECT_THAT(encoding.err, HasSubstr("no encoding \"klingon\""));
    const test::ToolRun track = RunToolWith({"lyrics", song, "--track", "0"});
    EXPECT_EQ(track.status, tool::kExitUsage);
    EXPECT_THAT(track.err, HasSubstr("track 0 has no words"));
}

TEST(TabTrackCommand, TheAddedTrackReadsAsLyrics) {
    test::TemporaryFolder folder;
    MidiSong demo;
    BuildDemoSong(demo);
    const std::string in = folder.Write("demo.mid", EncodeMidiFile(demo));
    const std::string out = folder.File("tabs.mid");
    const test::ToolRun run = RunToolWith({"tabtrack", in, out, "--harmonica", "diatonic"});
    ASSERT_EQ(run.status, tool::kExitOk) << run.err;

    MidiSong result;
    ASSERT_EQ(ReadMidiFile(result, out), kReadOk);
    ASSERT_EQ(result.tracks.size(), demo.tracks.size() + 1);
    const MidiTrack& tabs = *result.tracks.back();
    EXPECT_EQ(tabs.name, kTabTrackName);
    const MidiEvent& title = *tabs.events[2];
    EXPECT_THAT(std::string(title.text()), ::testing::StartsWith("@TDiatonic Tab: "));
    EXPECT_EQ(title.payload().back(), 0) << "saved texts keep their terminator";

    const test::ToolRun lyrics =
        RunToolWith({"lyrics", out, "--track", std::to_string(result.tracks.size() - 1)});
    const std::vector<std::string> lines = test::Lines(lyrics.out);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Tablature Created by Tavrino!");
    EXPECT_EQ(lines[1], title.text().substr(2));
    EXPECT_THAT(lines[3], ::testing::MatchesRegex("[-+0-9' ]+"));
    EXPECT_EQ(lines.back(), "tavrino.example") << "no slash of the address breaks the line";
}

}  // namespace
}  // namespace tavrino
