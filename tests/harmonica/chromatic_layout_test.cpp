#include "harmonica/chromatic_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harmonica/tab_words.h"

namespace tavrino {
namespace {

using test::TabWords;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

ChromaticLayout Built(int key = 60, int tuningNumber = 3) {
    ChromaticLayout layout;
    layout.Build(key, &ChromaticTunings()[tuningNumber - 1]);
    return layout;
}

TEST(ChromaticLayout, PrefersNotesWithoutTheSlideAndDrawBeforeBlow) {
    const ChromaticLayout layout = Built();
    EXPECT_THAT(TabWords(layout, 60), ElementsAre("+1"));
    EXPECT_THAT(TabWords(layout, 65), ElementsAre("-2", "+2<"));
    // Of equal reeds the higher hole first.
    EXPECT_THAT(TabWords(layout, 72), ElementsAre("+5", "+4", "-4<"));
    EXPECT_THAT(TabWords(layout, 73), ElementsAre("+5<", "+4<"));
    // The top hole draws D with the slide in.
    EXPECT_THAT(TabWords(layout, 98), ElementsAre("-12<"));
    EXPECT_THAT(TabWords(layout, 96), ElementsAre("+12"));
    EXPECT_THAT(TabWords(layout, 59), IsEmpty());
    EXPECT_THAT(TabWords(layout, 99), IsEmpty());
    EXPECT_EQ(layout.GetHoleCount(), 12);
}

TEST(ChromaticLayout, LowHolesOfTheBigInstrumentsAreNumberedAgainFromOne) {
    const ChromaticLayout sixteen = Built(60, 1);
    constexpr char kLowHoleOf[] = "111122233334";  // notes 48 to 59
    for (int note = 48; note < 60; ++note) {
        const auto tab = sixteen.GetTab(note, 0, {});
        ASSERT_TRUE(tab) << note;
        EXPECT_TRUE(tab->lowHole) << note;
        EXPECT_EQ(tab->holeText.front(), kLowHoleOf[note - 48]) << note;
    }
    const auto fifth = sixteen.GetTab(60, 0, {});
    EXPECT_EQ(fifth->holeText, "1");
    EXPECT_FALSE(fifth->lowHole);
    EXPECT_THAT(TabWords(sixteen, 60), ElementsAre("+1", "+4'", "-4<'"));

    const ChromaticLayout fourteen = Built(60, 2);
    EXPECT_THAT(TabWords(fourteen, 55), ElementsAre("+3'"));
    EXPECT_THAT(TabWords(fourteen, 59), ElementsAre("-4'"));
    EXPECT_THAT(TabWords(fourteen, 54), IsEmpty());
}

TEST(ChromaticLayout, FirstTabGivesThePhysicalHoleAndKind) {
    const ChromaticLayout sixteen = Built(60, 1);
    const auto low = sixteen.GetFirstTab(48);
    ASSERT_TRUE(low);
    EXPECT_EQ(low->hole, 0);
    EXPECT_EQ(low->kind, ChromaticKind::BlowOut);
    EXPECT_EQ(sixteen.GetFirstTab(60)->hole, 4);
    const auto slide = Built().GetFirstTab(98);
    EXPECT_EQ(slide->hole, 11);
    EXPECT_EQ(slide->kind, ChromaticKind::DrawIn);
    EXPECT_FALSE(Built().GetFirstTab(59));
    EXPECT_FALSE(Built().GetFirstTab(-1));
    EXPECT_FALSE(Built().GetFirstTab(128));
}

TEST(ChromaticLayout, HoleNotesLabelTheMonitorsButtons) {
    const ChromaticLayout layout = Built();
    EXPECT_EQ(layout.GetHoleNote(0, 0), 72);
    EXPECT_EQ(layout.GetHoleNote(11, 3), 110);
    EXPECT_EQ(Built(100).GetHoleNote(11, 3), 128);
    EXPECT_EQ(layout.GetHoleNote(12, 0), -1);
    EXPECT_EQ(layout.GetHoleNote(-1, 0), -1);
    EXPECT_EQ(layout.GetHoleNote(0, 4), -1);
}

TEST(ChromaticLayout, TitleNamesTuningKeyAndOctave) {
    EXPECT_EQ(Built().GetTitle(), "12 Hole Chromatic (std 48) Key of C (Std)");
    EXPECT_EQ(Built(49).GetTitle(), "12 Hole Chromatic (std 48) Key of Db (Std)");
    EXPECT_EQ(Built(48).GetTitle(), "12 Hole Chromatic (std 48) Key of C (Low)");
    EXPECT_EQ(Built(61, 5).GetTitle(), " 8 Hole Chromatic (std 32) Key of Db (High)");
}

TEST(ChromaticLayout, ReedsOutsideMidiAreLeftOutAndLookupsOutsideFindNothing) {
    const ChromaticLayout high = Built(127);
    EXPECT_THAT(TabWords(high, 127), ElementsAre("+1"));
    const ChromaticLayout low = Built(0, 1);  // the 16-hole reaches 12 below the key
    EXPECT_THAT(TabWords(low, 0), ElementsAre("+1", "+4'", "-4<'"));
    EXPECT_FALSE(low.GetTab(-1, 0, {}));
    EXPECT_FALSE(low.GetTab(0, 3, {}));
    EXPECT_FALSE(low.GetTab(128, 0, {}));
}

TEST(ChromaticLayout, WritesTheSymbolsItIsGivenAndNoColour) {
    TabSymbols symbols;
    symbols.cblowSym = 'B';
    symbols.cdrawSym = 'D';
    symbols.cslideSym = 's';
    const ChromaticLayout layout = Built();
    EXPECT_THAT(TabWords(layout, 65, symbols), ElementsAre("D2", "B2s"));
    EXPECT_FALSE(layout.GetTab(65, 0, symbols)->brush);
}

}  // namespace
}  // namespace tavrino
