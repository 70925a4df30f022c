#include "song/midi_listing.h"

#include <gtest/gtest.h>

#include "song/file_bytes.h"
#include "song/midi_reader.h"
#include "song/smf_bytes.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using test::Concat;
using test::Ev;
using test::File;
using test::Header;
using test::Meta;

std::string Describe(const MidiEvent& event) {
    std::string line;
    event.describe(line);
    return line;
}

TEST(MidiListing, DescribesEveryKindInItsFixedLayout) {
    EXPECT_EQ(Describe(NoteOnEvent(96, 0x90, 60, 100)),
              "    96 Note On         : chan = 1 note =  60 vel = 100  (0)");
    EXPECT_EQ(Describe(NoteOffEvent(5, 0x8F, 7, 0)),
              "     5 Note Off        : chan = 16 note =   7 vel =   0  (0)");
    EXPECT_EQ(Describe(ControllerEvent(0, 0xB1, 7, 90)),
              "     0 Controller      : chan = 2 param =   7 setting =  90");
    EXPECT_EQ(Describe(ProgramEvent(0, 0xC0, 22, 0)),
              "     0 Program         : chan = 1 param =  22");
    EXPECT_EQ(Describe(ChannelPressureEvent(0, 0xD0, 3, 0)),
              "     0 Channel Pressure: chan = 1 press =   3");
    EXPECT_EQ(Describe(AftertouchEvent(0, 0xA0, 60, 9)),
              "     0 Aftertouch      : chan = 1 note =  60 press =   9");
    EXPECT_EQ(Describe(PitchWheelEvent(0, 0xE0, 0, 0x40)),
              "     0 Pitch Wheel     : chan = 1 value 0  (0)");
    EXPECT_EQ(Describe(ChannelEvent(0, 0x90, 1, 2)),
              "     0 Channel Message : status = 90 c1 =   1 c2 =   2");
    EXPECT_EQ(Describe(TempoEvent(120.0)),
              "     0 Tempo change    : 500000 msec/quarter 120.0 bpm");
    EXPECT_EQ(Describe(TimeSignatureEvent(6, 8, 24, 8)),
              "     0 Time signature  : 6/8, 24 Midi clocks/click, 8 32nd/quarter [4]");
    EXPECT_EQ(Describe(KeySignatureEvent(-3, 1)), "     0 Key signature   : Key of Eb (-3) m");
    EXPECT_EQ(Describe(EndOfTrackEvent()), "     0 End of Track    : ");

    SysExEvent sysex;
    const std::uint8_t bytes[] = {0x7E, 0x7F, 0xF7};
    sysex.setPayload(bytes);
    EXPECT_EQ(Describe(sysex), "     0 SysEx           : data = [3] 0x7E 0x7F 0xF7");

    const std::uint8_t text[] = {'l', 'a', 0, 'x'};
    LyricEvent lyric;
    lyric.setPayload(text);
    EXPECT_EQ(Describe(lyric), "     0 Lyric           : text = [4] la");  // text stops at a 0 byte

    auto meta = CreateMetaEvent(0, 0x7F, std::span<const std::uint8_t>(text, 2));
    EXPECT_EQ(Describe(*meta), "     0 Meta Event      : type = 0x7f data = [2] la");
}

TEST(MidiListing, ListsTheWholeSongWithMarksAndBuddies) {
    const test::Bytes bytes =
        File(Header(0, 1, 96),
             {Concat({Meta(0, 0x03, "Tune"), Ev(0, {0x90, 60, 100}), Ev(10, {0x90, 60, 100}),
                      Ev(10, {0x80, 60, 0}), Ev(10, {0x80, 60, 0}), test::EndOfTrack()})});
    MidiSong song;
    ASSERT_EQ(ReadMidiData(song, bytes, "x.mid"), kReadOk);
    const std::string listing = FormatListing(song);
    // Each description is padded to 65 characters after the mark and index.
    const std::string expected =
        "Format 1, division 96, 2 tracks\n"
        "(0 corrected 1 overlapped (*) 0 unfinished)\n"
        "\nTrack 0:\n"
        " 0000      0 Track Name      : text = [4] Tune                         \n"
        " 0001      0 Time signature  : 4/4, 24 Midi clocks/click, 8 32nd/quarter [4]\n"
        " 0002     30 End of Track    :                                         \n"
        "\nTrack 1:\n"
        "*0000      0 Note On         : chan = 1 note =  60 vel = 100  (30)      (buddy    30)\n"
        "*0001     10 Note On         : chan = 1 note =  60 vel = 100  (10)      (buddy    20)\n"
        " 0002     20 Note Off        : chan = 1 note =  60 vel =   0  (0)       (buddy    10)\n"
        " 0003     30 Note Off        : chan = 1 note =  60 vel =   0  (0)       (buddy     0)\n"
        " 0004     30 End of Track    :                                         \n"
        "\nMessages Count : 6\n";
    EXPECT_EQ(listing, expected);
}

TEST(MidiListing, LongPayloadsAreListedWhole) {
    SysExEvent dump;
    std::vector<std::uint8_t> bytes(70000, 0x42);
    bytes.back() = 0xF7;
    dump.setPayload(bytes);
    const std::string line = Describe(dump);
    EXPECT_EQ(line.size(),
              std::string("     0 SysEx           : data = [70000]").size() + 5 * 70000);
    EXPECT_EQ(line.substr(line.size() - 5), " 0xF7");
}

TEST(MidiListing, EmptySongsAndLoadingSongs) {
    MidiSong song;
    EXPECT_EQ(FormatListing(song), "");
    const test::TemporaryFolder folder;
    const std::string path = folder.File("listing.txt");
    EXPECT_EQ(WriteListing(song, path), 0);
    std::vector<std::uint8_t> written;
    ASSERT_TRUE(ReadFileBytes(path, written));
    EXPECT_TRUE(written.empty());
    song.loading = 1;
    EXPECT_EQ(WriteListing(song, path), -1);
    EXPECT_EQ(WriteListing(MidiSong(), "/nonexistent/folder/listing.txt"), -1);
}

}  // namespace
}  // namespace tavrino
