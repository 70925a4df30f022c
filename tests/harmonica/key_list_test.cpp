#include "harmonica/key_list.h"

#include <gtest/gtest.h>

namespace tavrino {
namespace {

TEST(KeyList, KeyAndChoiceAreInversesForEveryOffset) {
    for (const KeyList* list : {&kDiatonicKeys, &kChromaticKeys}) {
        for (const int offset : {0, 7, -3}) {
            for (int octave = 0; octave < 5; ++octave) {
                for (int position = 0; position < 12; ++position) {
                    const KeyChoice choice{position, octave};
                    EXPECT_EQ(list->ChoiceOf(list->KeyOf(choice, offset), offset), choice)
                        << "offset " << offset << " octave " << octave << " key " << position;
                }
            }
        }
    }
}

TEST(KeyList, StdSpansTheUsualInstruments) {
    EXPECT_EQ(kDiatonicKeys.KeyOf({0, 2}), 55);
    EXPECT_EQ(kDiatonicKeys.KeyOf({11, 2}), 66);
    EXPECT_EQ(kDiatonicKeys.KeyOf({5, 2}), 60);
    EXPECT_EQ(kDiatonicKeys.KeyOf({5, 1}), 48);
    EXPECT_EQ(kDiatonicKeys.KeyOf({5, 3}), 72);
    EXPECT_EQ(kDiatonicKeys.Name(5), "C");
    EXPECT_EQ(kChromaticKeys.KeyOf({0, 2}), 49);
    EXPECT_EQ(kChromaticKeys.KeyOf({11, 2}), 60);
    EXPECT_EQ(kChromaticKeys.Name(0), "Db");
    // A tuning sold as G whose reeds start on C: its Std G starts on 60, and
    // its Std keys keep to the same reed range as anyone else's.
    EXPECT_EQ(kDiatonicKeys.KeyOf({0, 2}, 7), 60);
    for (int position = 0; position < 12; ++position) {
        const int key = kDiatonicKeys.KeyOf({position, 2}, 7);
        EXPECT_GE(key, 55);
        EXPECT_LE(key, 66);
    }
}

TEST(KeyList, KeysBeyondTheListTakeTheNearestOctaveAndTheirOwnName) {
    EXPECT_EQ(kDiatonicKeys.ChoiceOf(0), (KeyChoice{5, 0}));     // C
    EXPECT_EQ(kDiatonicKeys.ChoiceOf(30), (KeyChoice{11, 0}));   // F#
    EXPECT_EQ(kDiatonicKeys.ChoiceOf(127), (KeyChoice{0, 4}));   // G
    EXPECT_EQ(kChromaticKeys.ChoiceOf(24), (KeyChoice{11, 0}));  // C
    EXPECT_EQ(kDiatonicKeys.Title("T", 30), "T Key of F# (-2)");
}

}  // namespace
}  // namespace tavrino
