#include "harmonica/key_ranking.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrino {
namespace {

const DiatonicTuning& Tuning(int number) {
    return DiatonicTunings()[number - 1];
}

int Total(const TechniqueCounts& counts) {
    int total = 0;
    for (int technique = 0; technique < kNoteTechniqueCount; ++technique) {
        total += counts[static_cast<NoteTechnique>(technique)];
    }
    return total;
}

NoteHistogram Notes(std::initializer_list<std::pair<int, int>> noteCounts) {
    NoteHistogram notes{};
    for (const auto& [note, count] : noteCounts) {
        notes[note] = count;
    }
    return notes;
}

TEST(NoteTechnique, ClassifiesThePreferredTabOfANote) {
    DiatonicLayout richter;
    richter.Build(60);
    EXPECT_EQ(ClassifyNote(richter, 60), NoteTechnique::Blow);
    EXPECT_EQ(ClassifyNote(richter, 62), NoteTechnique::Draw);
    EXPECT_EQ(ClassifyNote(richter, 61), NoteTechnique::Bend);
    EXPECT_EQ(ClassifyNote(richter, 87), NoteTechnique::Bend);  // blow bend
    EXPECT_EQ(ClassifyNote(richter, 63), NoteTechnique::Overblow);
    EXPECT_EQ(ClassifyNote(richter, 85), NoteTechnique::Overdraw);
    EXPECT_EQ(ClassifyNote(richter, 72), NoteTechnique::Blow);  // not the hole 3 overblow
    EXPECT_EQ(ClassifyNote(richter, 59), NoteTechnique::Unavailable);
    EXPECT_EQ(ClassifyNote(richter, -1), NoteTechnique::Unavailable);

    DiatonicLayout valved;
    valved.Build(60, &Tuning(11));
    EXPECT_EQ(ClassifyNote(valved, 59), NoteTechnique::Bend);
    EXPECT_EQ(ClassifyNote(valved, 82), NoteTechnique::Bend);  // valved bend on a reversed hole
}

TEST(KeyRanking, APlainMelodyInGRanksTheGHarmonicaFirst) {
    // G major in the middle of a G harmonica: every note a plain blow or draw.
    const NoteHistogram melody =
        Notes({{67, 4}, {69, 3}, {71, 5}, {72, 2}, {74, 6}, {76, 1}, {78, 2}, {79, 3}});
    const auto fits = RankDiatonicKeys(melody, DefaultDiatonicTuning());
    ASSERT_EQ(fits.size(), 12u);
    EXPECT_EQ(kDiatonicKeys.Name(fits[0].choice.keyPosition), "G");
    EXPECT_EQ(fits[0].counts[NoteTechnique::Unavailable], 0);
    EXPECT_EQ(fits[0].counts[NoteTechnique::Bend], 0);
    EXPECT_EQ(fits[0].counts[NoteTechnique::Blow] + fits[0].counts[NoteTechnique::Draw], 26);
}

TEST(KeyRanking, EachKeyOnceInItsBestOctaveBestFirst) {
    const NoteHistogram song = Notes({{48, 1},
                                      {60, 10},
                                      {62, 7},
                                      {63, 2},
                                      {65, 8},
                                      {66, 1},
                                      {67, 9},
                                      {70, 3},
                                      {72, 4},
                                      {84, 2},
                                      {100, 1}});
    const auto fits = RankDiatonicKeys(song, DefaultDiatonicTuning());
    std::set<int> positions;
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const KeyFit& fit = fits[i];
        positions.insert(fit.choice.keyPosition);
        EXPECT_EQ(Total(fit.counts), 48);
        EXPECT_EQ(fit.key, kDiatonicKeys.KeyOf(fit.choice));
        // No other octave of the key costs less to play.
        EXPECT_EQ(fit.cost, PlayingCost(fit.efforts));
        DiatonicLayout layout;
        for (int octave = 0; octave < 5; ++octave) {
            layout.Build(kDiatonicKeys.KeyOf({fit.choice.keyPosition, octave}));
            int cost = 0;
            for (int note = 0; note < kNoteCount; ++note) {
                cost += kEffortWeights[static_cast<int>(EffortOf(layout, note))] * song[note];
            }
            EXPECT_GE(cost, fit.cost);
        }
        if (i > 0) {
            EXPECT_LE(fits[i - 1].cost, fit.cost);
        }
    }
    EXPECT_EQ(positions.size(), 12u);
}

TEST(KeyRanking, EffortsWeighAsAPlayerFeelsThem) {
    DiatonicLayout richter;
    richter.Build(60);
    struct Case {
        int note;
        Effort effort;
    };
    for (const Case& c :
         {Case{60, Effort::Plain}, Case{61, Effort::HalfBend}, Case{69, Effort::WholeBend},
          Case{68, Effort::DeepBend}, Case{63, Effort::OverNote}, Case{85, Effort::OverNote},
          Case{59, Effort::Unavailable}}) {
        EXPECT_EQ(EffortOf(richter, c.note), c.effort) << c.note;
    }
    DiatonicLayout valved;
    valved.Build(60, &Tuning(11));
    EXPECT_EQ(EffortOf(valved, 59), Effort::HalfBend);
    // Each effort costs more than the one before it.
    for (int effort = 1; effort < kEffortCount; ++effort) {
        EXPECT_GT(kEffortWeights[effort], kEffortWeights[effort - 1]);
    }
    EXPECT_GT(kEffortWeights[static_cast<int>(Effort::Unavailable)],
              2 * kEffortWeights[static_cast<int>(Effort::OverNote)]);
}

TEST(KeyRanking, AnOverblowWeighsMoreThanABendAndTiesGoToStd) {
    // Eb on a C harmonica: an overblow in Std and Low, unavailable higher,
    // a blow bend on hole 8 in "-2". The bend wins.
    const auto fits = RankDiatonicKeys(Notes({{63, 1}}), DefaultDiatonicTuning());
    const auto c = std::find_if(fits.begin(), fits.end(),
                                [](const KeyFit& fit) { return fit.choice.keyPosition == 5; });
    EXPECT_EQ(c->choice.octavePosition, 0);
    EXPECT_EQ(c->counts[NoteTechnique::Bend], 1);
    // Harmonicas that play it plainly rank before C.
    EXPECT_EQ(fits[0].counts[NoteTechnique::Bend], 0);
    EXPECT_GT(c - fits.begin(), 0);
    // An empty part leaves every key equal: the list's order, each in Std.
    const auto empty = RankDiatonicKeys(NoteHistogram{}, DefaultDiatonicTuning());
    for (int position = 0; position < 12; ++position) {
        EXPECT_EQ(empty[position].choice, (KeyChoice{position, 2}));
    }
}

TEST(KeyRanking, ATuningSoldUnderAnotherKeyIsNamedByThatKey) {
    // The Melody Maker's reeds start on C; sold as G, its Std G starts on 60.
    const auto fits = RankDiatonicKeys(Notes({{60, 1}, {64, 1}, {69, 1}}), Tuning(5));
    EXPECT_EQ(kDiatonicKeys.Name(fits[0].choice.keyPosition), "G");
    EXPECT_EQ(fits[0].key % 12, 0);
}

}  // namespace
}  // namespace tavrino
