#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harmonica/tuning_test_support.h"
#include "song/smf_bytes.h"
#include "tools/tool_test_support.h"

namespace tavrino {
namespace {

using test::Bytes;
using test::Concat;
using test::EndOfTrack;
using test::Ev;
using test::Lines;
using test::Meta;
using test::RunToolWith;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A quarter note (96 ticks) on the channel, starting `delta` after the
// previous event.
Bytes Quarter(int channel, int note, std::uint32_t delta = 0) {
    return Concat({Ev(delta, {0x90 | channel, note, 100}), Ev(96, {0x80 | channel, note, 0})});
}

Bytes Notes(const std::string& name, std::initializer_list<Bytes> events) {
    Bytes track = Meta(0, 0x03, name);
    for (const Bytes& event : events) {
        test::Append(track, event);
    }
    test::Append(track, EndOfTrack());
    return track;
}

class HarmonicaCommands : public ::testing::Test {
protected:
    void SetUp() override {
        // Bar 1: C, then E and G together, then Eb; bar 2 (4/4 at 96 ticks a
        // quarter) a B below middle C. A drum track beside it.
        const Bytes lead = Notes("Lead", {Quarter(0, 60),
                                          Concat({Ev(0, {0x90, 64, 100}), Ev(0, {0x90, 67, 100}),
                                                  Ev(96, {0x80, 64, 0}), Ev(0, {0x80, 67, 0})}),
                                          Quarter(0, 63), Quarter(0, 59, 96)});
        const Bytes drums = Notes("Drums", {Quarter(9, 36)});
        songPath = folder.Write(
            "song.mid", test::File(test::Header(1, 3, 96), {Notes("Song", {}), lead, drums}));
    }

    std::string WriteText(const std::string& name, std::string_view text) {
        return folder.Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    test::TemporaryFolder folder;
    std::string songPath;

private:
    test::CustomTuningsGuard customTunings_;
};

TEST_F(HarmonicaCommands, TabmapChartsEveryNoteOfTheDefaultDiatonic) {
    const auto run = RunToolWith({"tabmap", "--harmonica", "diatonic"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "Major Diatonic (ritcher) Key of C (Std)\n");
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 128u);
    EXPECT_EQ(lines[0], "0\tC\t");
    EXPECT_EQ(lines[60], "60\tC\t+1");
    EXPECT_EQ(lines[61], "61\tC#\t-1'");
    EXPECT_EQ(lines[67], "67\tG\t-2 +3");
    EXPECT_EQ(lines[68], "68\tAb\t-3''' +2o");
    EXPECT_EQ(lines[85], "85\tC#\t-7o");
    EXPECT_EQ(lines[127], "127\tG\t");
}

TEST_F(HarmonicaCommands, TabmapMarksLowChromaticHolesAndNamesNotesAsAsked) {
    const auto run = RunToolWith(
        {"tabmap", "--harmonica", "chromatic", "--tuning", "1", "--key", "60", "--naming", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "16 Hole Chromatic (std 64) Key of C (Std)\n");
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 128u);
    EXPECT_EQ(lines[48], "48\tDO\t+1'");
    EXPECT_EQ(lines[60], "60\tDO\t+1 +4' -4<'");
    EXPECT_EQ(lines[71], "71\tTI\t-4");
    EXPECT_EQ(lines[98], "98\tRE\t-12<");
}

TEST_F(HarmonicaCommands, TuningsAreChosenByNumberNameOrFile) {
    const auto byNumber = RunToolWith({"tabmap", "--harmonica", "diatonic", "--tuning", "11"});
    const auto byName = RunToolWith(
        {"tabmap", "--harmonica", "diatonic", "--tuning", "Half Valved Major Diatonic"});
    ASSERT_EQ(byNumber.status, 0);
    EXPECT_EQ(byName.out, byNumber.out);
    EXPECT_EQ(byName.err, "Half Valved Major Diatonic Key of C (Std)\n");

    const std::string file = WriteText("mine.tun", test::kChromaticFile);
    const auto loaded =
        RunToolWith({"tabmap", "--harmonica", "chromatic", "--tuning", file, "--key", "48"});
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.err, "My Chromatic ... Key of C (Low)\n");
    EXPECT_EQ(Lines(loaded.out)[51], "51\tEb\t-1<");

    // A diatonic file is no chromatic tuning.
    const std::string diatonic = WriteText("richter.tun", test::kRichterFile);
    const auto wrongKind =
        RunToolWith({"tabmap", "--harmonica", "chromatic", "--tuning", diatonic});
    EXPECT_EQ(wrongKind.status, 1);
    EXPECT_THAT(wrongKind.err, HasSubstr("not a chromatic tuning file"));
    EXPECT_EQ(wrongKind.out, "");
}

TEST_F(HarmonicaCommands, BadOptionsAreUsageErrorsThatListTheChoices) {
    const auto unknown = RunToolWith({"tabmap", "--harmonica", "diatonic", "--tuning", "Richter"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("unknown diatonic tuning \"Richter\""));
    EXPECT_THAT(unknown.err, HasSubstr("1   \"Major Diatonic (ritcher)\""));
    EXPECT_THAT(unknown.err, HasSubstr("12  \"Custom...\""));
    EXPECT_EQ(unknown.out, "");

    const auto number = RunToolWith({"tabmap", "--harmonica", "chromatic", "--tuning", "10"});
    EXPECT_EQ(number.status, 2);
    EXPECT_THAT(number.err, HasSubstr("5   \" 8 Hole Chromatic (std 32)\""));

    for (const std::vector<std::string>& args : {
             std::vector<std::string>{"tabmap"},
             {"tabmap", "--harmonica", "diatonic", "--key", "128"},
             {"tabmap", "--harmonica", "diatonic", "--key", "-1"},
             {"tabmap", "--harmonica", "diatonic", "--key", "C"},
             {"tabmap", "--harmonica", "diatonic", "--naming", "5"},
             {"tabmap", "--harmonica", "notes"},
             {"tabmap", "--harmonica", "diatonic", "extra"},
             {"tab", songPath, "--harmonica", "bass"},
             {"tab", songPath, "--tracks", "1,3"},
             {"tab", songPath, "--tracks", "1,"},
             {"keys", songPath, "--tuning", "0"},
             {"keys"},
         }) {
        const auto run = RunToolWith(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_THAT(run.err, HasSubstr("usage: tavrino-tool")) << args.back();
    }
}

TEST_F(HarmonicaCommands, TabWritesEachBarWithChordsJoined) {
    const auto run = RunToolWith({"tab", songPath});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "File: " + songPath +
                           "\n"
                           "Tablature: Major Diatonic (ritcher) Key of C (Std)\n"
                           "\n"
                           "Track 1: Lead\n"
                           "Bar 1: +1 +2-2 +1o\n"
                           "Bar 2: (x)\n");

    const auto chromatic = RunToolWith({"tab", songPath, "--harmonica", "chromatic"});
    EXPECT_THAT(chromatic.out, HasSubstr("Bar 1: +1 +2+3 -1<\nBar 2: (x)\n"));
    const auto low = RunToolWith({"tab", songPath, "--key", "48"});
    EXPECT_THAT(low.out, HasSubstr("Key of C (Low)\n"));
    EXPECT_THAT(low.out, HasSubstr("Bar 1: +4 +5+6 +4o\nBar 2: -3\n"));
}

TEST_F(HarmonicaCommands, TabWritesNoteNamesAndTheChosenTracks) {
    const auto run =
        RunToolWith({"tab", songPath, "--harmonica", "notes", "--tracks", "2,1", "--naming", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "File: " + songPath +
                           "\n"
                           "Tablature: note names\n"
                           "\n"
                           "Track 2: Drums\n"
                           "(no notes)\n"
                           "\n"
                           "Track 1: Lead\n"
                           "Bar 1: C EG Eb\n"
                           "Bar 2: H\n");
}

Bytes Melody(const std::string& name, std::initializer_list<int> notes) {
    Bytes track = Meta(0, 0x03, name);
    for (const int note : notes) {
        test::Append(track, Quarter(0, note));
    }
    test::Append(track, EndOfTrack());
    return track;
}

TEST_F(HarmonicaCommands, KeysRanksTheHarmonicasForTheMelodyAndNamesThePositions) {
    // A G major scale: plain notes on a G harmonica in Std, in 1st position.
    const std::string path = folder.Write(
        "scale.mid",
        test::File(test::Header(1, 1, 96), {Melody("Scale", {67, 69, 71, 72, 74, 76, 78, 79})}));
    const auto run = RunToolWith({"keys", path});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[1], "Tuning: Major Diatonic (ritcher)");
    EXPECT_EQ(lines[2],
              "Counted: track 0 \"Scale\", the melody: the highest track that plays one "
              "note at a time");
    EXPECT_EQ(lines[3], "Notes: 8");
    EXPECT_EQ(lines[4], "Song key: G major (from the notes)");
    EXPECT_THAT(lines[6], StartsWith("harmonica  --key  position  blow  draw  bend1"));
    EXPECT_EQ(lines[7],
              "G Std         55       1st     4     4      0      0      0         0"
              "         0            0     0");
    const auto c = std::find_if(lines.begin(), lines.end(),
                                [](const std::string& row) { return row.starts_with("C "); });
    ASSERT_NE(c, lines.end());
    EXPECT_THAT(*c, HasSubstr(" 2nd ")) << "G on a C harmonica";
    EXPECT_EQ(lines[20], "Best: G Std in 1st position (cost 0)");

    // The lead of the test song, not its drums: C, E+G, Eb and low B.
    const auto song = RunToolWith({"keys", songPath, "--tuning", "1"});
    ASSERT_EQ(song.status, 0) << song.err;
    EXPECT_EQ(Lines(song.out)[2],
              "Counted: track 1 \"Lead\", every track: no single melody line "
              "stands out");
    EXPECT_EQ(Lines(song.out)[3], "Notes: 5");
    const auto asked = RunToolWith({"keys", songPath, "--tracks", "1"});
    EXPECT_EQ(Lines(asked.out)[2], "Counted: track 1 \"Lead\", as asked");
}

TEST_F(HarmonicaCommands, KeysWeighsBendsAgainstMissingNotes) {
    // A wide tune: a G harmonica plays every note with two bends; a C
    // harmonica in Low needs no bend but lacks the top E.
    const std::string path = folder.Write(
        "wide.mid",
        test::File(test::Header(1, 2, 96),
                   {Melody("Conductor", {}), Melody("Tune", {88, 81, 71, 65, 59, 60, 81, 55})}));
    const auto lines = Lines(RunToolWith({"keys", path}).out);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[20], "Best: G Std in 3rd position (cost 3)");
    EXPECT_EQ(lines[21],
              "Fewest unavailable notes: G Std (0 unavailable, 2 bends, 0 overblows "
              "and overdraws)");
    EXPECT_EQ(lines[22], "Fewest bends: C Low (0 bends, 0 overblows and overdraws, 1 unavailable)");

    // With a key signature the position follows it: F major on a G harmonica.
    Bytes signed_ = Meta(0, 0x59, std::string("\xFF\x00", 2));
    test::Append(signed_, Melody("Tune", {88, 81, 71, 65, 59, 60, 81, 55}));
    const std::string withKey =
        folder.Write("signed.mid", test::File(test::Header(1, 1, 96), {signed_}));
    const auto keyed = Lines(RunToolWith({"keys", withKey}).out);
    EXPECT_EQ(keyed[4], "Song key: F major (from the key signature)");
    EXPECT_EQ(keyed[20], "Best: G Std in 11th position (cost 3)");

    const auto help = RunToolWith({"keys", "--help"});
    EXPECT_THAT(help.out, HasSubstr("overblow or overdraw          4\n"));
    EXPECT_THAT(help.out, HasSubstr("unavailable                   12\n"));
}

}  // namespace
}  // namespace tavrino
