// The piano keyboard and the chromatic harmonica monitors.

#include <gtest/gtest.h>

#include "monitors/mon_chromatic.h"
#include "monitors/mon_piano.h"
#include "monitors/monitor_rig.h"

namespace tavrino::test {
namespace {

TEST(PianoMonitor, EightyEightKeysPressedWhileTheirNotesSound) {
    MonitorRig rig;
    CMonPiano* piano = rig.Open<CMonPiano>();
    EXPECT_EQ(piano->windowTitle(), "Tavrino! Piano");
    EXPECT_EQ(piano->size(), QSize(745, 115));
    EXPECT_EQ(piano->Key(20), nullptr);
    EXPECT_EQ(piano->Key(109), nullptr);
    // Black keys lie over the white keys beside them.
    EXPECT_LT(piano->Key(61)->geometry().left(), piano->Key(62)->geometry().left());
    EXPECT_GT(piano->Key(61)->geometry().right(), piano->Key(62)->geometry().left());
    EXPECT_LT(piano->Key(61)->height(), piano->Key(60)->height());

    piano->NoteOn(60, 1, -1);
    piano->NoteOn(60, 2, -1);
    piano->NoteOff(60, 3, -1);
    EXPECT_TRUE(piano->Key(60)->isLit()) << "the other track's C still sounds";
    piano->NoteOff(60, 4, -1);
    piano->NoteOff(60, 5, -1);
    EXPECT_FALSE(piano->Key(60)->isLit());
    piano->NoteOn(60, 6, -1);
    EXPECT_TRUE(piano->Key(60)->isLit());
    for (const int outside : {0, 20, 109, 127, -1, 200}) {
        piano->NoteOn(outside, 7, -1);
        piano->NoteOff(outside, 8, -1);
    }
    piano->ResetDisplay(false);
    EXPECT_FALSE(piano->Key(60)->isLit());
}

TEST(PianoMonitor, ComputerKeysPlayTwoOctavesAtMostNineAtOnce) {
    MonitorRig rig;
    CMonPiano* piano = rig.Open<CMonPiano>();
    // Q and the comma both play middle C: it stays down until both are up.
    PressKey(*piano, Qt::Key_Q);
    PressKey(*piano, Qt::Key_Comma);
    PressKey(*piano, Qt::Key_Q, false);
    EXPECT_TRUE(piano->Key(60)->isLit());
    PressKey(*piano, Qt::Key_Comma, false);
    EXPECT_FALSE(piano->Key(60)->isLit());
    EXPECT_EQ(rig.owner.notes,
              (std::vector<std::string>{"press 60", "press 60", "release 60", "release 60"}));
    EXPECT_EQ(rig.owner.programs.front(), 0) << "the piano sound";

    rig.owner.notes.clear();
    const Qt::Key ten[] = {Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_B,
                           Qt::Key_N, Qt::Key_M, Qt::Key_S, Qt::Key_D, Qt::Key_G};
    for (const Qt::Key key : ten) {
        PressKey(*piano, key);
    }
    EXPECT_EQ(rig.owner.notes.size(), 9u);
    EXPECT_FALSE(piano->Key(54)->isLit()) << "G, the tenth key, is not sounded";
    EXPECT_EQ(CMonPiano::NoteOfKeyPosition(44), 48);
    EXPECT_EQ(CMonPiano::NoteOfKeyPosition(13), 78);
    EXPECT_EQ(CMonPiano::NoteOfKeyPosition(30), -1);
}

TEST(ChromaticMonitor, FourReedsAHoleAndTheSelectorsKey) {
    MonitorRig rig;
    CMonChromatic* monitor = rig.Open<CMonChromatic>();
    EXPECT_EQ(monitor->windowTitle(), "Tavrino! Chromatic Harmonica");
    EXPECT_EQ(monitor->size(), QSize(318, 149));
    EXPECT_EQ(monitor->keySelector()->currentText(), "C");
    EXPECT_EQ(monitor->octaveSelector()->currentText(), "Std");

    // Playing C (72) in C presses blow hole 5, the first way to play it.
    monitor->NoteOn(72, 1, -1);
    EXPECT_TRUE(monitor->Button(4, ChromaticKind::BlowOut)->isLit());
    monitor->NoteOff(72, 2, -1);
    EXPECT_FALSE(monitor->Button(4, ChromaticKind::BlowOut)->isLit());

    // Tenor Db gives key 37; the 16-hole tuning starts a fourth lower.
    monitor->keySelector()->setCurrentIndex(0);
    monitor->octaveSelector()->setCurrentIndex(1);
    emit monitor->octaveSelector()->activated(1);
    EXPECT_EQ(rig.chromatic.GetKey(), 37);
    EXPECT_EQ(rig.layoutChanges, (std::vector<LayoutFamily>{LayoutFamily::kChromatic}));

    const auto tunings = ChromaticTunings();
    const auto sixteen = std::find_if(tunings.begin(), tunings.end(),
                                      [](const auto& tuning) { return tuning.holes == 16; });
    ASSERT_NE(sixteen, tunings.end());
    rig.chromatic.Build(60, &*sixteen);
    CMonChromatic* big = rig.Open<CMonChromatic>();
    QStringList hole1;
    for (int kind = 0; kind < kChromaticKindCount; ++kind) {
        hole1 << big->Button(0, static_cast<ChromaticKind>(kind))->text();
    }
    EXPECT_EQ(hole1, (QStringList{"C", "C#", "D", "Eb"}));
    EXPECT_EQ(big->width(), 24 * 16 + 30);
    ASSERT_LT(tunings[4].holes, 12);
    rig.chromatic.Build(60, &tunings[4]);
    EXPECT_EQ(rig.Open<CMonChromatic>()->width(), 310);
}

}  // namespace
}  // namespace tavrino::test
