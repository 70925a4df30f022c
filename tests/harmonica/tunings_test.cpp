#include "harmonica/tunings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tavrino {
namespace {

using ::testing::ElementsAre;

template <class Tuning>
std::vector<std::string_view> NamesOf(std::span<const Tuning> list) {
    std::vector<std::string_view> names;
    for (const Tuning& tuning : list) {
        names.push_back(tuning.name.view());
    }
    return names;
}

TEST(Tunings, SelectorsListTwelveDiatonicAndNineChromaticTuningsInOrder) {
    EXPECT_THAT(
        NamesOf(DiatonicTunings()),
        ElementsAre("Major Diatonic (ritcher)", "Country Tuning (Hohner)",
                    "Harmonic Minor (Hohner)", "Natural Minor (Hohner)", "Melody Maker (Vandrel)",
                    "Augmented Spanish (custom)", "Temptation Tuning (custom)",
                    "Solo Tuning (Hohner)", "Marrow Special (MWS)", "Hohner 365",
                    "Half Valved Major Diatonic", "Custom..."));
    EXPECT_THAT(NamesOf(ChromaticTunings()),
                ElementsAre("16 Hole Chromatic (std 64)", "14 Hole Chromatic (std 56)",
                            "12 Hole Chromatic (std 48)", "10 Hole Chromatic (std 40)",
                            " 8 Hole Chromatic (std 32)", "Koch/Slide (ritcher tuned)",
                            "Irish Tuning (custom)", "Whole Tone (custom)", "Custom..."));
    EXPECT_EQ(&DefaultDiatonicTuning(), &DiatonicTunings()[0]);
    EXPECT_EQ(&DefaultChromaticTuning(), &ChromaticTunings()[2]);
    EXPECT_EQ(&CustomDiatonicTuning(), &DiatonicTunings().back());
    EXPECT_EQ(&CustomChromaticTuning(), &ChromaticTunings().back());
}

TEST(Tunings, DiatonicRecordsHoldTheirHolesAndNothingBeyond) {
    const auto list = DiatonicTunings();
    std::vector<int> holes;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        const DiatonicTuning& tuning = list[i];
        holes.push_back(tuning.holes);
        for (int hole = tuning.holes; hole < kMaxHoles; ++hole) {
            EXPECT_EQ(tuning.blow[hole] | tuning.draw[hole] | tuning.valved[hole], 0)
                << tuning.name.view() << " hole " << hole + 1;
        }
        EXPECT_EQ(tuning.keyOffset, i == 4 ? 7 : 0) << tuning.name.view();
        const int valved =
            static_cast<int>(std::count(tuning.valved.begin(), tuning.valved.end(), 1));
        EXPECT_EQ(valved, i == 10 ? 10 : 0) << tuning.name.view();
    }
    EXPECT_THAT(holes, ElementsAre(10, 10, 10, 10, 10, 10, 10, 12, 14, 14, 10));
    EXPECT_EQ(list.back().holes, 0);
    // The 14-hole tunings reach an octave below the key.
    EXPECT_EQ(list[8].blow[0], -12);
    EXPECT_EQ(list[9].draw[4], 5);
}

TEST(Tunings, LargeAndSmallChromaticsShareTheTwelveHoleRows) {
    const auto list = ChromaticTunings();
    const ChromaticTuning& twelve = list[2];
    EXPECT_EQ(twelve.notes[11], (ChromaticHole{36, 37, 35, 38}));
    const auto sameRows = [&](const ChromaticTuning& tuning, int first, int count) {
        return std::equal(twelve.notes.begin(), twelve.notes.begin() + count,
                          tuning.notes.begin() + first);
    };
    EXPECT_EQ(list[0].holes, 16);
    EXPECT_EQ(list[0].holeNumberOffset, -4);
    EXPECT_EQ(list[0].notes[0], (ChromaticHole{-12, -11, -10, -9}));
    EXPECT_EQ(list[0].notes[3], (ChromaticHole{0, 1, -1, 0}));
    EXPECT_TRUE(sameRows(list[0], 4, 12));
    EXPECT_EQ(list[1].holes, 14);
    EXPECT_EQ(list[1].holeNumberOffset, -2);
    EXPECT_EQ(list[1].notes[0], (ChromaticHole{-5, -4, -3, -2}));
    EXPECT_TRUE(sameRows(list[1], 2, 12));
    EXPECT_EQ(list[3].holes, 10);
    EXPECT_TRUE(sameRows(list[3], 0, 10));
    EXPECT_EQ(list[4].holes, 8);
    EXPECT_TRUE(sameRows(list[4], 0, 8));
    EXPECT_EQ(list[4].notes[8], (ChromaticHole{}));
    for (std::size_t i = 2; i < list.size(); ++i) {
        EXPECT_EQ(list[i].holeNumberOffset, 0) << list[i].name.view();
    }
    EXPECT_EQ(list.back().holes, 0);
}

TEST(Tunings, SpecialChromaticsKeepTheirOddReeds) {
    const auto list = ChromaticTunings();
    const ChromaticTuning& koch = list[5];
    EXPECT_EQ(koch.holes, 10);
    EXPECT_EQ(koch.notes[2], (ChromaticHole{7, 8, 11, 12}));
    const ChromaticTuning& irish = list[6];
    EXPECT_EQ(irish.holes, 12);
    for (int hole = 4; hole < 12; ++hole) {
        for (int kind = 0; kind < kChromaticKindCount; ++kind) {
            EXPECT_EQ(irish.notes[hole][kind], irish.notes[hole - 4][kind] + 12);
        }
    }
    const ChromaticTuning& wholeTone = list[7];
    EXPECT_EQ(wholeTone.notes[5][3], 0);
    EXPECT_EQ(wholeTone.notes[11][3], 12);
}

}  // namespace
}  // namespace tavrino
