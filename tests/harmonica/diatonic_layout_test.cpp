#include "harmonica/diatonic_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "harmonica/tab_words.h"

namespace tavrino {
namespace {

using test::TabWords;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const DiatonicTuning& Tuning(std::string_view name) {
    for (const DiatonicTuning& tuning : DiatonicTunings()) {
        if (tuning.name.view() == name) {
            return tuning;
        }
    }
    throw std::invalid_argument(std::string(name));
}

DiatonicLayout Built(int key = 60, const DiatonicTuning* tuning = nullptr) {
    DiatonicLayout layout;
    layout.Build(key, tuning);
    return layout;
}

// The kinds of a hole's cells, slot by slot, with their notes.
std::vector<std::pair<int, int>> CellsOf(const DiatonicLayout& layout, int hole) {
    std::vector<std::pair<int, int>> cells;
    for (int kind = 0; kind < kDiatonicKindCount; ++kind) {
        if (const HoleNote* cell = layout.GetHoleCell(hole, kind)) {
            cells.emplace_back(kind, cell->note);
        }
    }
    return cells;
}

TEST(DiatonicLayout, RichterInCGivesPlainNotesBendsAndOverblows) {
    const DiatonicLayout layout = Built();
    EXPECT_THAT(TabWords(layout, 60), ElementsAre("+1"));
    EXPECT_THAT(TabWords(layout, 61), ElementsAre("-1'"));
    EXPECT_THAT(TabWords(layout, 62), ElementsAre("-1"));
    EXPECT_THAT(TabWords(layout, 63), ElementsAre("+1o"));
    // Draw before blow.
    EXPECT_THAT(TabWords(layout, 67), ElementsAre("-2", "+3"));
    EXPECT_THAT(TabWords(layout, 59), IsEmpty());
    EXPECT_THAT(TabWords(layout, 98), IsEmpty());
    EXPECT_EQ(layout.GetHoleCount(), 10);
    EXPECT_EQ(layout.GetKey(), 60);
}

TEST(DiatonicLayout, BendsFollowTheGapBetweenTheReeds) {
    const DiatonicLayout layout = Built();
    // Hole 2 (blow 4, draw 7): two bends; hole 3 (7, 11): three; hole 5 (16,
    // 17): none. Slot 0 is the overblow one above the draw reed.
    EXPECT_THAT(CellsOf(layout, 1), ElementsAre(std::pair(0, 8), std::pair(1, 7), std::pair(2, 4),
                                                std::pair(3, 6), std::pair(4, 5)));
    EXPECT_THAT(CellsOf(layout, 2),
                ElementsAre(std::pair(0, 12), std::pair(1, 11), std::pair(2, 7), std::pair(3, 10),
                            std::pair(4, 9), std::pair(5, 8)));
    EXPECT_THAT(CellsOf(layout, 4),
                ElementsAre(std::pair(0, 18), std::pair(1, 17), std::pair(2, 16)));
    EXPECT_EQ(layout.GetHoleCell(10, 2), nullptr);  // a Richter harmonica has 10 holes
    EXPECT_EQ(layout.GetHoleCell(0, 6), nullptr);
    EXPECT_EQ(layout.GetHoleCell(-1, 2), nullptr);
    EXPECT_EQ(layout.GetHoleCell(16, 2), nullptr);
}

TEST(DiatonicLayout, ReversedHolesBlowTheirBendsAndDrawTheirOverdraws) {
    const DiatonicLayout layout = Built();
    for (int hole = 0; hole < 10; ++hole) {
        EXPECT_EQ(layout.GetHoleCell(hole, 2)->reversed, hole >= 6 ? 1 : 0) << "hole " << hole + 1;
    }
    EXPECT_THAT(TabWords(layout, 85), ElementsAre("-7o"));
    EXPECT_THAT(TabWords(layout, 87), ElementsAre("+8'"));
    EXPECT_THAT(TabWords(layout, 94), ElementsAre("+10''"));
    const auto first = layout.GetFirstTab(85);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->hole, 6);
    EXPECT_EQ(first->kind, DiatonicKind::Over);
    EXPECT_TRUE(first->reversed);
    EXPECT_FALSE(first->valved);
}

TEST(DiatonicLayout, AnOverGivesWayToTheNotesOfTheHolesAboveIt) {
    const DiatonicLayout layout = Built();
    EXPECT_THAT(TabWords(layout, 68), ElementsAre("-3'''", "+2o"));
    EXPECT_THAT(TabWords(layout, 72), ElementsAre("+4", "+3o"));
    EXPECT_THAT(TabWords(layout, 89), ElementsAre("-9", "-8o"));
    EXPECT_EQ(layout.GetFirstTab(72)->kind, DiatonicKind::Blow);
}

TEST(DiatonicLayout, ValvedHolesBendBelowTheLowerReedInsteadOfOverblowing) {
    DiatonicLayout layout;
    layout.Reset(60, &Tuning("Half Valved Major Diatonic"), Settings{});
    const auto tab = layout.GetTab(59, 0, TabSymbols{});
    ASSERT_TRUE(tab);
    EXPECT_EQ(tab->symbol + tab->holeText, "+1'");
    EXPECT_EQ(tab->brush, Settings{}.colorBend);
    // Not hole 1's overblow: hole 2's valved bend.
    EXPECT_THAT(TabWords(layout, 63), ElementsAre("+2'"));
    // Hole 7 (blow 24, draw 23): its valved bend lies below the draw reed.
    EXPECT_THAT(TabWords(layout, 82), ElementsAre("-7'"));
    EXPECT_TRUE(layout.GetFirstTab(59)->valved);
}

TEST(DiatonicLayout, NotesOutsideMidiAreLeftOutOfTheIndex) {
    const DiatonicTuning& marrow = Tuning("Marrow Special (MWS)");
    const DiatonicLayout high = Built(90, &marrow);  // "+2" F#, 14 holes
    EXPECT_THAT(TabWords(high, 126), ElementsAre("+13"));
    EXPECT_THAT(TabWords(high, 127), ElementsAre("+14'''", "-13o"));
    // Blow 14 would sound 130; nothing may claim to play it.
    for (int note = 0; note < kNoteCount; ++note) {
        for (const std::string& word : TabWords(high, note)) {
            EXPECT_NE(word, "+14") << note;
        }
    }
    // Reeds below MIDI note 0 are not filed under note 0: only the cells that
    // sound exactly 0 are there.
    const DiatonicLayout low = Built(0, &marrow);
    EXPECT_THAT(TabWords(low, 0), ElementsAre("+4", "+3o"));
}

TEST(DiatonicLayout, EqualReedsMakeAReversedHoleWithoutBends) {
    DiatonicTuning tuning;
    tuning.name.assign("Unison");
    tuning.holes = 1;
    tuning.blow[0] = 0;
    tuning.draw[0] = 0;
    const DiatonicLayout layout = Built(60, &tuning);
    EXPECT_THAT(CellsOf(layout, 0), ElementsAre(std::pair(0, 1), std::pair(1, 0), std::pair(2, 0)));
    EXPECT_THAT(TabWords(layout, 60), ElementsAre("-1", "+1"));
    EXPECT_THAT(TabWords(layout, 61), ElementsAre("-1o"));
    EXPECT_EQ(layout.GetHoleCell(0, 0)->reversed, 1);
}

TEST(DiatonicLayout, TitleNamesTuningKeyAndOctave) {
    EXPECT_EQ(Built().GetTitle(), "Major Diatonic (ritcher) Key of C (Std)");
    EXPECT_EQ(Built(48).GetTitle(), "Major Diatonic (ritcher) Key of C (Low)");
    EXPECT_EQ(Built(55).GetTitle(), "Major Diatonic (ritcher) Key of G (Std)");
    EXPECT_EQ(Built(54).GetTitle(), "Major Diatonic (ritcher) Key of F# (Low)");
    // Its reeds start on C but it is sold as a G harmonica.
    const DiatonicLayout melodyMaker = Built(60, &Tuning("Melody Maker (Vandrel)"));
    EXPECT_EQ(melodyMaker.GetTitle(), "Melody Maker (Vandrel) Key of G (Std)");
    EXPECT_THAT(TabWords(melodyMaker, 60), ElementsAre("+1"));
    // Keys no selector offers still get a title.
    EXPECT_EQ(Built(0).GetTitle(), "Major Diatonic (ritcher) Key of C (-2)");
    EXPECT_EQ(Built(127).GetTitle(), "Major Diatonic (ritcher) Key of G (+2)");
}

TEST(DiatonicLayout, BrushesComeFromTheColoursOfTheLastReset) {
    Settings colours;
    colours.colorBlow = Colour{0x000001};
    colours.colorDraw = Colour{0x000002};
    colours.colorBend = Colour{0x000003};
    colours.colorOver = Colour{0x000004};
    DiatonicLayout layout;
    layout.Build(60);
    EXPECT_FALSE(layout.GetTab(60, 0, {})->brush);
    layout.Reset(60, nullptr, colours);
    const auto brushOf = [&](int note) { return layout.GetTab(note, 0, {})->brush->stored; };
    EXPECT_EQ(brushOf(60), 1u);  // blow
    EXPECT_EQ(brushOf(62), 2u);  // draw
    EXPECT_EQ(brushOf(61), 3u);  // bend
    EXPECT_EQ(brushOf(63), 4u);  // overblow
    EXPECT_EQ(brushOf(85), 4u);  // overdraw
    EXPECT_EQ(brushOf(87), 3u);  // blow bend
    // A later Build keeps them; Clear drops everything.
    layout.Build(62, &Tuning("Country Tuning (Hohner)"));
    EXPECT_EQ(brushOf(62), 1u);
    layout.Clear();
    EXPECT_FALSE(layout.GetTab(62, 0, {}));
    EXPECT_EQ(layout.GetHoleCell(0, 2), nullptr);
}

TEST(DiatonicLayout, WritesTheSymbolsItIsGiven) {
    TabSymbols symbols;
    symbols.dblowSym = 'B';
    symbols.ddrawSym = 'D';
    symbols.dbendSym = 'b';
    symbols.doverSym = 'O';
    const DiatonicLayout layout = Built();
    EXPECT_THAT(TabWords(layout, 68, symbols), ElementsAre("D3bbb", "B2O"));
    EXPECT_THAT(TabWords(layout, 85, symbols), ElementsAre("D7O"));
}

TEST(DiatonicLayout, LookupsOutsideTheIndexFindNothing) {
    const DiatonicLayout layout = Built();
    EXPECT_FALSE(layout.GetTab(-1, 0, {}));
    EXPECT_FALSE(layout.GetTab(128, 0, {}));
    EXPECT_FALSE(layout.GetTab(67, 2, {}));
    EXPECT_FALSE(layout.GetTab(67, -1, {}));
    EXPECT_FALSE(layout.GetFirstTab(-1));
    EXPECT_FALSE(layout.GetFirstTab(128));
    EXPECT_FALSE(layout.GetFirstTab(30));
}

TEST(DiatonicLayout, EveryTuningInEveryKeyIndexesEachCellOnce) {
    for (const DiatonicTuning& tuning : DiatonicTunings()) {
        for (int key = 24; key <= 90; ++key) {
            const DiatonicLayout layout = Built(key, &tuning);
            std::size_t cells = 0;
            for (int hole = 0; hole < layout.GetHoleCount(); ++hole) {
                for (int kind = 0; kind < kDiatonicKindCount; ++kind) {
                    const HoleNote* cell = layout.GetHoleCell(hole, kind);
                    cells += cell != nullptr && cell->note + key >= 0 && cell->note + key < 128;
                }
            }
            std::size_t entries = 0;
            for (int note = 0; note < kNoteCount; ++note) {
                entries += TabWords(layout, note).size();
            }
            EXPECT_EQ(entries, cells) << tuning.name.view() << " key " << key;
        }
    }
}

}  // namespace
}  // namespace tavrino
