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
}

TEST(Tunings, ChromaticsNumberOnlyTheirExtraLowHolesBelowOne) {
    const auto list = ChromaticTunings();
    std::vector<int> holes;
    std::vector<int> offsets;
    for (const ChromaticTuning& tuning : list) {
        holes.push_back(tuning.holes);
        offsets.push_back(tuning.holeNumberOffset);
    }
    EXPECT_THAT(holes, ElementsAre(16, 14, 12, 10, 8, 10, 12, 12, 0));
    EXPECT_THAT(offsets, ElementsAre(-4, -2, 0, 0, 0, 0, 0, 0, 0));
    // The big instruments add their low holes below the 12-hole's rows.
    EXPECT_TRUE(
        std::equal(list[2].notes.begin(), list[2].notes.begin() + 12, list[0].notes.begin() + 4));
    EXPECT_TRUE(
        std::equal(list[2].notes.begin(), list[2].notes.begin() + 12, list[1].notes.begin() + 2));
}

}  // namespace
}  // namespace tavrino
