#include "song/midi_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "song/file_bytes.h"
#include "song/midi_listing.h"
#include "song/midi_reader.h"
#include "song/smf_bytes.h"
#include "song/song_invariants.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using test::Bytes;
using test::Concat;
using test::Ev;
using test::File;
using test::Header;
using test::Meta;
using ::testing::ElementsAre;

// The bytes of the first track chunk's events.
Bytes FirstChunkEvents(const Bytes& file) {
    const std::size_t length =
        (std::size_t{file[18]} << 24) | (file[19] << 16) | (file[20] << 8) | file[21];
    return Bytes(file.begin() + 22, file.begin() + 22 + static_cast<std::ptrdiff_t>(length));
}

TEST(MidiWriter, WritesFullStatusBytesAndVariableLengthDeltas) {
    MidiSong song;  // format 0 as made in code; the file is format 1 all the same
    song.division = 96;
    song.tracks.push_back(std::make_unique<MidiTrack>());
    MidiTrack& track = *song.tracks[0];
    track.Add(CreateChannelEvent(96, 0x90, 60, 100));
    track.Add(CreateChannelEvent(96 + 0x4000, 0x90, 60, 0));  // same status: written again
    track.Add(CreateChannelEvent(96 + 0x4000 + 127, 0xC1, 5, 0));
    track.Add(CreateChannelEvent(96 + 0x4000 + 255, 0xD1, 9, 0));
    track.Add(CreateChannelEvent(96 + 0x4000 + 255, 0xE1, 0, 64));

    const Bytes file = EncodeMidiFile(song);
    EXPECT_THAT(Bytes(file.begin(), file.begin() + 14),
                ElementsAre('M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 96));
    EXPECT_THAT(FirstChunkEvents(file),
                ElementsAre(0x60, 0x90, 0x3C, 0x64,           // delta 96
                            0x81, 0x80, 0x00, 0x90, 0x3C, 0,  // delta 0x4000
                            0x7F, 0xC1, 5,                    // program: two bytes
                            0x81, 0x00, 0xD1, 9,              // delta 128, pressure: two bytes
                            0x00, 0xE1, 0, 64));              // pitch wheel: three bytes
    EXPECT_EQ(file.size(), 22 + FirstChunkEvents(file).size());
}

TEST(MidiWriter, ARoundTripKeepsEveryEvent) {
    const Bytes original =
        File(Header(0, 1, 120),
             {Concat({Meta(0, 0x03, "Name"), Meta(0, 0x51, std::string("\x07\xA1\x20", 3)),
                      Ev(0, {0x90, 60, 100}), Ev(0, {0x99, 36, 100}), Ev(10, {0xF0, 2, 0x7E, 0xF7}),
                      Ev(0, {0xF7, 2, 0xF3, 0x01}), Ev(20, {0x80, 60, 0}), Meta(0, 0x05, "la"),
                      Ev(0, {0xB0, 7, 100}), test::EndOfTrack(5)})});
    MidiSong song;
    ASSERT_EQ(ReadMidiData(song, original, "a.mid"), kReadOk);
    const Bytes saved = EncodeMidiFile(song);

    MidiSong reloaded;
    ASSERT_EQ(ReadMidiData(reloaded, saved, "b.mid"), kReadOk);
    EXPECT_EQ(EncodeMidiFile(reloaded), saved);
    // A format 0 file comes back as format 1 with one chunk per channel.
    EXPECT_EQ(reloaded.format, 1);
    ASSERT_EQ(reloaded.tracks.size(), 3u);
    // The F7 escape packet stays one; as an F0 message it would read back as
    // an unfinished system-exclusive message.
    EXPECT_EQ(reloaded.tracks[0]->events[4]->kind(), EventKind::StrangeSysEx);
    EXPECT_TRUE(test::SongIsConsistent(reloaded));
}

TEST(MidiWriter, TracksWithoutEndOfTrackAreWrittenWithoutOne) {
    MidiSong song;
    ASSERT_EQ(
        ReadMidiData(song,
                     File(Header(1, 1, 96), {Concat({Ev(0, {0x90, 60, 1}), Ev(5, {0x80, 60, 0})})}),
                     "a.mid"),
        kReadOk);
    const Bytes events = FirstChunkEvents(EncodeMidiFile(song));
    EXPECT_NE(events[events.size() - 3], 0xFF);
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        song.format = 1;
        song.division = 96;
        song.tracks.push_back(std::make_unique<MidiTrack>());
        song.tracks[0]->Add(std::make_unique<EndOfTrackEvent>());
    }

    test::TemporaryFolder temporary;
    const std::filesystem::path& folder = temporary.Path();
    MidiSong song;
};

TEST_F(SaveFile, ReplacesTheFileAndLeavesNothingElseBehind) {
    const std::string path = (folder / "song.mid").string();
    const Bytes old{1, 2, 3};
    ASSERT_TRUE(WriteFileReplacing(path, old));
    EXPECT_EQ(WriteMidiFile(song, path), kWriteOk);
    EXPECT_EQ(song.path, path);
    Bytes written;
    ASSERT_TRUE(ReadFileBytes(path, written));
    EXPECT_EQ(written, EncodeMidiFile(song));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

// Symbolic links need a privilege on Windows, and its permissions are one
// read-only flag.
#if !defined(_WIN32)
TEST_F(SaveFile, SavesThroughSymbolicLinksIntoTheFileTheyNameKeepingItsPermissions) {
    namespace fs = std::filesystem;
    fs::create_directory(folder / "real");
    const Bytes old{1, 2, 3};
    ASSERT_TRUE(WriteFileReplacing((folder / "real" / "song.mid").string(), old));
    fs::permissions(folder / "real" / "song.mid",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/song.mid", folder / "link.mid");
    fs::create_symlink(folder / "link.mid", folder / "chain.mid");
    fs::create_symlink("real/new.txt", folder / "dangling.txt");

    EXPECT_EQ(WriteMidiFile(song, (folder / "chain.mid").string()), kWriteOk);
    EXPECT_EQ(WriteListing(song, (folder / "dangling.txt").string()), 0);

    EXPECT_TRUE(fs::is_symlink(folder / "chain.mid"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.mid"));
    EXPECT_TRUE(fs::is_symlink(folder / "dangling.txt"));
    Bytes written;
    ASSERT_TRUE(ReadFileBytes((folder / "real" / "song.mid").string(), written));
    EXPECT_EQ(written, EncodeMidiFile(song));
    EXPECT_EQ(fs::status(folder / "real" / "song.mid").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ReadFileBytes((folder / "real" / "new.txt").string(), written));
    EXPECT_EQ(std::string(written.begin(), written.end()), FormatListing(song));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "real"), fs::directory_iterator()), 2);
}
#endif

TEST_F(SaveFile, AFailedSaveLeavesTheOldFileUntouched) {
    // The target is a folder that cannot be replaced by a file.
    const auto target = folder / "taken";
    std::filesystem::create_directories(target / "inside");
    EXPECT_EQ(WriteMidiFile(song, target.string()), kWriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(WriteMidiFile(song, (folder / "missing" / "x.mid").string()), kWriteFailed);
}

TEST_F(SaveFile, ASongWithoutTracksIsNotWritten) {
    MidiSong empty;
    const auto path = folder / "empty.mid";
    EXPECT_EQ(WriteMidiFile(empty, path.string()), kWriteNoTracks);
    EXPECT_EQ(empty.path, path.string());
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tavrino
