#include "harmonica/note_naming.h"

#include <gtest/gtest.h>

namespace tavrino {
namespace {

TEST(NoteNaming, EachSystemNamesTheTwelvePitchClasses) {
    EXPECT_EQ(NoteName(60, 0), "C");
    EXPECT_EQ(NoteName(70, 0), "Bb");
    EXPECT_EQ(NoteName(70, 1), "B");
    EXPECT_EQ(NoteName(71, 1), "H");
    EXPECT_EQ(NoteName(70, 2), "TIb");
    EXPECT_EQ(NoteName(71, 2), "TI");
    EXPECT_EQ(NoteName(70, 3), "SIb");
    EXPECT_EQ(NoteName(71, 3), "SI");
    EXPECT_EQ(NoteName(61, 4), "UT#");
    EXPECT_EQ(NoteName(67, 4), "SOL");
    EXPECT_EQ(NoteName(127, 0), "G");
    EXPECT_EQ(NoteName(0, 2), "DO");
    // An unknown system names as system 0 instead of reading past the table.
    EXPECT_EQ(NoteName(71, 5), "B");
    EXPECT_EQ(NoteName(71, -1), "B");
}

TEST(NoteNaming, SystemsAndKeysHaveFixedNames) {
    EXPECT_EQ(NamingSystemName(0), "C D E F G A B");
    EXPECT_EQ(NamingSystemName(1), "C D E F G A H");
    EXPECT_EQ(NamingSystemName(2), "DO RE MI FA SOL LA TI");
    EXPECT_EQ(NamingSystemName(3), "DO RE MI FA SOL LA SI");
    EXPECT_EQ(NamingSystemName(4), "UT RE MI FA SOL LA TI");
    EXPECT_EQ(NamingSystemName(5), "");
    std::string keys;
    for (int pitch = 7; pitch <= 18; ++pitch) {
        keys.append(KeyName(pitch)).append(" ");
    }
    EXPECT_EQ(keys, "G Ab A Bb B C Db D Eb E F F# ");
    EXPECT_EQ(KeyName(-1), "B");
}

TEST(NoteNaming, AccidentalMarksFollowTheNamesOfSystemZero) {
    std::string marks;
    for (int note = 60; note < 72; ++note) {
        marks.push_back(AccidentalMark(note));
    }
    EXPECT_EQ(marks, " # b  # b b ");
}

TEST(NoteNaming, ParsesNoteWordsByTheirFirstTwoCharacters) {
    EXPECT_EQ(ParseNoteName("C"), 0);
    EXPECT_EQ(ParseNoteName("Bb7"), 10);
    EXPECT_EQ(ParseNoteName("E#"), 5);
    EXPECT_EQ(ParseNoteName("B#"), 12);
    EXPECT_EQ(ParseNoteName("Cb"), -1);
    EXPECT_EQ(ParseNoteName("G4"), 7);
    EXPECT_EQ(ParseNoteName("F##"), 6);
    EXPECT_EQ(ParseNoteName("c"), -1);
    EXPECT_EQ(ParseNoteName("H"), -1);
    EXPECT_EQ(ParseNoteName("#"), -1);
    EXPECT_EQ(ParseNoteName(""), -1);
}

}  // namespace
}  // namespace tavrino
