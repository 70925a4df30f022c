#include "harmonica/tuning_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "harmonica/tuning_test_support.h"
#include "support/temporary_folder.h"

namespace tavrino {
namespace {

using ::testing::ElementsAre;

using test::kChromaticFile;
using test::kRichterFile;

std::vector<int> Row(const HoleNotes& notes, int holes) {
    return std::vector<int>(notes.begin(), notes.begin() + holes);
}

std::vector<int> Column(const ChromaticTuning& tuning, int kind) {
    std::vector<int> column;
    for (int hole = 0; hole < tuning.holes; ++hole) {
        column.push_back(tuning.notes[hole][kind]);
    }
    return column;
}

TEST(TuningFile, ReadsADiatonicTuning) {
    DiatonicTuning tuning;
    ASSERT_EQ(ParseTuningText(kRichterFile, tuning), 0);
    EXPECT_EQ(tuning.name.view(), "My Richter ...");
    EXPECT_EQ(tuning.holes, 10);
    EXPECT_EQ(tuning.keyOffset, 0);
    EXPECT_EQ(tuning.blow, DefaultDiatonicTuning().blow);
    EXPECT_EQ(tuning.draw, DefaultDiatonicTuning().draw);
    EXPECT_EQ(tuning.valved, HoleNotes{});
}

TEST(TuningFile, ReadsAChromaticTuningWithCrLfLines) {
    ChromaticTuning tuning;
    tuning.holeNumberOffset = -4;
    ASSERT_EQ(ParseTuningText(kChromaticFile, tuning), 0);
    EXPECT_EQ(tuning.name.view(), "My Chromatic ...");
    EXPECT_EQ(tuning.holes, 12);
    EXPECT_EQ(tuning.holeNumberOffset, 0);
    EXPECT_THAT(Column(tuning, 0), ElementsAre(0, 4, 7, 12, 12, 16, 19, 24, 24, 28, 31, 36));
    EXPECT_THAT(Column(tuning, 1), ElementsAre(1, 5, 8, 13, 13, 17, 20, 25, 25, 29, 32, 37));
    EXPECT_THAT(Column(tuning, 2), ElementsAre(2, 5, 9, 11, 14, 17, 21, 23, 26, 29, 33, 35));
    EXPECT_THAT(Column(tuning, 3), ElementsAre(3, 6, 10, 12, 15, 18, 22, 24, 27, 30, 34, 36));
}

TEST(TuningFile, RowsComeInAnyOrderAndValvedRowsCarryNoValves) {
    DiatonicTuning tuning;
    ASSERT_EQ(ParseTuningText("DIATONIC\nNAME Swapped\nVALVED 1 1 1\n"
                              "DRAW D G B D F A B D F A\nBLOW C E G C E G C E G C\n",
                              tuning),
              0);
    EXPECT_EQ(tuning.blow, DefaultDiatonicTuning().blow);
    EXPECT_EQ(tuning.draw, DefaultDiatonicTuning().draw);
    EXPECT_EQ(tuning.valved, HoleNotes{});
    EXPECT_EQ(tuning.holes, 10);
}

TEST(TuningFile, PlacesEachNoteAtMostTwoSemitonesBelowThePreviousOne) {
    DiatonicTuning tuning;
    // Octave digits mean nothing; B# is 12; Cb and words that name no note
    // are skipped.
    ASSERT_EQ(ParseTuningText("DIATONIC\nNAME x\nBLOW C4 E4 G4 Cb x B#\n"
                              "DRAW G E D C A Bb G\n",
                              tuning),
              0);
    EXPECT_THAT(Row(tuning.blow, 4), ElementsAre(0, 4, 7, 12));
    // E lies 3 below G: an octave up. D and C each lie 2 below the note
    // before: they stay. A lies 3 below C: an octave up.
    EXPECT_THAT(Row(tuning.draw, 7), ElementsAre(7, 16, 14, 12, 21, 22, 31));
    EXPECT_EQ(tuning.holes, 7);
}

TEST(TuningFile, AShorterRowLeavesItsMissingNotesAtZero) {
    DiatonicTuning tuning;
    ASSERT_EQ(ParseTuningText(kRichterFile, tuning), 0);
    // The notes of the previous file must not leak into the new tuning.
    ASSERT_EQ(ParseTuningText("DIATONIC\nNAME Short\nBLOW C E G C E G C E G C\n"
                              "DRAW D G B D F A B D F\n",
                              tuning),
              0);
    EXPECT_EQ(tuning.holes, 10);
    EXPECT_EQ(tuning.draw[8], 29);
    EXPECT_EQ(tuning.draw[9], 0);
}

TEST(TuningFile, KeepsTheFirstSixteenNotesOfALongRow) {
    std::string text = "DIATONIC\nNAME Long\nBLOW";
    for (int i = 0; i < 20; ++i) {
        text += " C G";
    }
    text += "\nDRAW D\n";
    DiatonicTuning tuning;
    ASSERT_EQ(ParseTuningText(text, tuning), 0);
    EXPECT_EQ(tuning.holes, kMaxHoles);
    EXPECT_EQ(tuning.blow[15], 91);
}

TEST(TuningFile, NameIsTheRestOfItsLineCutToFitTheField) {
    DiatonicTuning diatonic;
    ASSERT_EQ(ParseTuningText("DIATONIC NAME \t Spaced  \r\nBLOW C\nDRAW D\n", diatonic), 0);
    EXPECT_EQ(diatonic.name.view(), "Spaced   ...");

    const std::string longName(100, 'x');
    ASSERT_EQ(ParseTuningText("DIATONIC\nNAME " + longName + "\nBLOW C\nDRAW D\n", diatonic), 0);
    EXPECT_EQ(diatonic.name.view(), std::string(59, 'x') + " ...");

    ChromaticTuning chromatic;
    const std::string rows =
        "\nBLOW_SLIDE_OUT C\nBLOW_SLIDE_IN C#\nDRAW_SLIDE_OUT D\nDRAW_SLIDE_IN D#\n";
    ASSERT_EQ(ParseTuningText("CHROMATIC\nNAME " + longName + rows, chromatic), 0);
    EXPECT_EQ(chromatic.name.view(), std::string(35, 'x') + " ...");
    // A cut never splits a character: 17 two-byte letters need 34 bytes.
    std::string accents;
    for (int i = 0; i < 18; ++i) {
        accents += "\xC3\xA9";
    }
    ASSERT_EQ(ParseTuningText("CHROMATIC\nNAME " + accents + rows, chromatic), 0);
    EXPECT_EQ(chromatic.name.view(), accents.substr(0, 34) + " ...");
}

TEST(TuningFile, FailuresLeaveTheRecordAsItWas) {
    ChromaticTuning chromatic;
    ASSERT_EQ(ParseTuningText(kChromaticFile, chromatic), 0);
    const std::string missingRow =
        "CHROMATIC\nNAME Broken\nBLOW_SLIDE_OUT D\nBLOW_SLIDE_IN D\nDRAW_SLIDE_IN D\n";
    EXPECT_EQ(ParseTuningText(missingRow, chromatic), -1);
    EXPECT_EQ(chromatic.name.view(), "My Chromatic ...");
    EXPECT_EQ(chromatic.notes[0][0], 0);

    DiatonicTuning diatonic;
    ASSERT_EQ(ParseTuningText(kRichterFile, diatonic), 0);
    for (const std::string_view text : {
             std::string_view(kChromaticFile),                              // the other kind
             std::string_view("NAME x\nBLOW C\nDRAW D\n"),                  // no kind keyword
             std::string_view("DIATONIC\nBLOW C\nDRAW D\n"),                // no NAME
             std::string_view("DIATONIC\nNAME x\nBLOW C\n"),                // no DRAW
             std::string_view("DIATONIC\nNAME x BLOW C\nDRAW D\n"),         // BLOW only in the name
             std::string_view("DIATONICS\nNAME x\nBLOW C\nDRAW D\n"),       // not a whole word
             std::string_view("DIATONIC\nNAME x\nBLOW c e g\nDRAW 1 2\n"),  // no notes
             std::string_view(""),
         }) {
        EXPECT_EQ(ParseTuningText(text, diatonic), -1) << text;
        EXPECT_EQ(diatonic.name.view(), "My Richter ...") << text;
        EXPECT_EQ(diatonic.holes, 10) << text;
    }
}

TEST(TuningFile, BinaryTextFailsOrLoadsWithinTheLimits) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 131 + 7) % 256));
    }
    DiatonicTuning tuning;
    EXPECT_EQ(ParseTuningText(binary, tuning), -1);
    // Keywords amid binary bytes and an endless line still load sanely.
    const std::string mixed = "\x01\xFF DIATONIC \x7F NAME " + std::string(5000, '\xEE') +
                              "\nBLOW " + binary.substr(0, 900) + " C\nDRAW" +
                              std::string(100000, ' ') + "D";
    ASSERT_EQ(ParseTuningText(mixed, tuning), 0);
    EXPECT_GE(tuning.holes, 1);
    EXPECT_LE(tuning.holes, kMaxHoles);
    EXPECT_LE(tuning.name.view().size(), 63u);
}

class TuningFileOnDisk : public ::testing::Test {
protected:
    std::string Write(const std::string& name, std::string_view text) {
        const std::string path = folder.File(name);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    test::TemporaryFolder folder;

private:
    test::CustomTuningsGuard customTunings_;
};

TEST_F(TuningFileOnDisk, ReadsFilesUpToTheSizeLimit) {
    DiatonicTuning tuning;
    EXPECT_EQ(ReadTuningFile(Write("richter.tun", kRichterFile), tuning), 0);
    EXPECT_EQ(tuning.name.view(), "My Richter ...");
    EXPECT_EQ(ReadTuningFile(folder.File("missing.tun"), tuning), -1);
    EXPECT_EQ(ReadTuningFile(folder.Path().string(), tuning), -1);  // a folder

    std::string large(kMaxTuningFileBytes - kRichterFile.size(), ' ');
    large += kRichterFile;
    EXPECT_EQ(ReadTuningFile(Write("large.tun", large), tuning), 0);
    large += ' ';
    EXPECT_EQ(ReadTuningFile(Write("too-large.tun", large), tuning), -1);
}

TEST_F(TuningFileOnDisk, LayoutsLoadIntoTheirCustomRecords) {
    DiatonicLayout diatonic;
    ASSERT_EQ(diatonic.LoadTuningFile(Write("d.tun", kRichterFile)), 0);
    EXPECT_EQ(CustomDiatonicTuning().name.view(), "My Richter ...");
    ChromaticLayout chromatic;
    ASSERT_EQ(chromatic.LoadTuningFile(Write("c.tun", kChromaticFile)), 0);
    EXPECT_EQ(CustomChromaticTuning().name.view(), "My Chromatic ...");
    // A failed load keeps the custom record a layout may be using.
    chromatic.Build(60, &CustomChromaticTuning());
    EXPECT_EQ(chromatic.LoadTuningFile(Write("bad.tun", kRichterFile)), -1);
    EXPECT_EQ(chromatic.GetTitle(), "My Chromatic ... Key of C (Std)");
}

}  // namespace
}  // namespace tavrino
