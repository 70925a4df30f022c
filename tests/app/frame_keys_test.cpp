// The main window from the keyboard: the score keeps the focus after a
// toolbar choice, and the choice of tablature is kept.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QTest>

#include "app/frame_rig.h"
#include "document/test_songs.h"

namespace tavrino::test {
namespace {

void MakeSong(MidiSong& song, int key) {
    MidiTrack& track = AddTrack(song);
    AddNote(track, 0, key, 0, 480);
    AddNote(track, 0, key + 2, 480, 960);
    FinishSong(song, 480);
}

// Keys reach shortcuts only in the active window.
void ShowActive(FrameRig& rig) {
    rig.frame->show();
    QApplication::setActiveWindow(rig.frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.frame.get()));
}

void Press(FrameRig& rig, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : rig.frame.get(), static_cast<Qt::Key>(key),
                    modifiers);
}

TEST(FrameKeys, TheScoreKeepsTheKeyboardAfterAToolbarChoice) {
    FrameRig rig;
    ShowActive(rig);
    MidiSong song;
    MakeSong(song, 60);
    ASSERT_TRUE(rig.Open(song));
    for (QWidget* control : {static_cast<QWidget*>(rig.frame->tablatureTypeBox()),
                             static_cast<QWidget*>(rig.frame->tempo().slider())}) {
        QTest::mouseClick(control, Qt::LeftButton);
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        EXPECT_EQ(QApplication::focusWidget(), rig.view->widget());
    }
    Press(rig, Qt::Key_Space);
    EXPECT_TRUE(rig.player.IsPlaying());
}

TEST(FrameKeys, TheTablatureChoiceIsKeptForTheNextRun) {
    FrameRig rig;
    emit rig.frame->tablatureTypeBox()->activated(2);
    EXPECT_EQ(rig.view->tablatureType, 2);
    EXPECT_EQ(LoadSettings(rig.store).tablatureType, 2);
}

}  // namespace
}  // namespace tavrino::test
