// The main window from the keyboard: shortcuts that follow the song at once,
// Alt accelerators that do not collide with the menus, and the score keeping
// the focus.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QSlider>
#include <QTest>

#include "app/frame_rig.h"
#include "document/test_songs.h"
#include "song/midi_writer.h"

namespace tavrino::test {
namespace {

void MakeSong(MidiSong& song, int key) {
    MidiTrack& track = AddTrack(song);
    AddNote(track, 0, key, 0, 480);
    AddNote(track, 0, key + 2, 480, 960);
    FinishSong(song, 480);
}

int FirstKey(FrameRig& rig) {
    for (const MidiEvent* event : rig.frame->doc().song.messages) {
        if (event->isSoundingNoteOn()) {
            return event->data1;
        }
    }
    return -1;
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

// Qt's warnings while the test runs, "Ambiguous shortcut" among them.
class WarningLog {
public:
    WarningLog() { previous_ = qInstallMessageHandler(&WarningLog::Record); }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList& Lines() {
        static QStringList lines;
        return lines;
    }

private:
    static void Record(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) {
            Lines().append(text);
        }
    }
    QtMessageHandler previous_;
};

TEST(FrameKeys, SongShortcutsWorkAsSoonAsASongOpens) {
    FrameRig rig;
    ShowActive(rig);
    MidiSong song;
    MakeSong(song, 60);
    ASSERT_TRUE(rig.Open(song));

    // Reload reads the file again: changed behind the program's back.
    MidiSong changed;
    MakeSong(changed, 65);
    ASSERT_EQ(WriteMidiFile(changed, rig.FilePath("song.mid").toStdString()), kWriteOk);
    Press(rig, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(FirstKey(rig), 65);

    Press(rig, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(FirstKey(rig), 66);
    Press(rig, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FirstKey(rig), 65);

    // A song opened from the recent files leaves nothing to undo.
    Press(rig, Qt::Key_U, Qt::ControlModifier);
    ASSERT_TRUE(rig.Open(song, "other.mid"));
    EXPECT_FALSE(rig.frame->actions()[ID_EDIT_UNDO]->isEnabled());
}

TEST(FrameKeys, AltAcceleratorsOpenTheirMonitorsAndF10TheMenus) {
    WarningLog warnings;
    FrameRig rig;
    ShowActive(rig);
    Press(rig, Qt::Key_T, Qt::AltModifier);
    EXPECT_NE(rig.Monitor(kLyricsMonitor), nullptr);
    Press(rig, Qt::Key_H, Qt::AltModifier);
    EXPECT_NE(rig.Monitor(kDiatonicMonitor), nullptr);
    for (const QString& line : WarningLog::Lines()) {
        EXPECT_FALSE(line.contains("Ambiguous")) << line.toStdString();
    }

    QApplication::setActiveWindow(rig.frame.get());
    Press(rig, Qt::Key_F10);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&File");
    menu->close();
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
