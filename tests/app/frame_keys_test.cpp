// The main window from the keyboard: shortcuts act as soon as a song opens,
// the Alt accelerators win over the menus, the score keeps the focus after a
// toolbar choice, and the choice of tablature is kept.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QtGlobal>

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

int FirstKey(FrameRig& rig) {
    for (const MidiEvent* event : rig.frame->doc().song.messages) {
        if (event->isSoundingNoteOn()) {
            return event->data1;
        }
    }
    return -1;
}

// Commands enabled by opening a song must answer their shortcuts before any
// menu has been opened, which is when the menus refresh their states.
TEST(FrameKeys, ShortcutsActAsSoonAsASongOpens) {
    FrameRig rig;
    ShowActive(rig);
    MidiSong song;
    MakeSong(song, 60);
    ASSERT_TRUE(rig.Open(song));

    Press(rig, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(FirstKey(rig), 61) << "Ctrl+U transposes";
    Press(rig, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(FirstKey(rig), 60) << "Ctrl+Z undoes the transposition";

    rig.frame->doc().beginMark = 480;
    rig.frame->doc().endMark = 960;
    rig.frame->UpdateCommands();
    Press(rig, Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(FirstKey(rig), 62) << "Alt+Del crops to the marks";
}

// Alt with the first letter of Edit, Player, Tools or Help is a command, not a
// menu: Qt reports a shortcut that two owners claim and runs neither.
TEST(FrameKeys, AltAcceleratorsRunTheirCommands) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    FrameRig rig;
    ShowActive(rig);
    MidiSong song;
    MakeSong(song, 60);
    ASSERT_TRUE(rig.Open(song));

    for (const auto& [key, monitor] :
         {std::pair{Qt::Key_T, kLyricsMonitor}, std::pair{Qt::Key_H, kDiatonicMonitor}}) {
        const bool wasOpen = rig.Monitor(monitor) != nullptr;
        Press(rig, key, Qt::AltModifier);
        EXPECT_NE(rig.Monitor(monitor) != nullptr, wasOpen) << "Alt+" << char(key);
    }

    QString propertiesCaption;
    auto* closer = new QTimer(rig.frame.get());
    QObject::connect(closer, &QTimer::timeout, [closer, &propertiesCaption] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            propertiesCaption = dialog->windowTitle();
            dialog->reject();
            closer->stop();
        }
    });
    closer->start(0);
    Press(rig, Qt::Key_P, Qt::AltModifier);
    EXPECT_FALSE(propertiesCaption.isEmpty()) << "Alt+P opens the file properties";

    qInstallMessageHandler(previous);
    EXPECT_FALSE(warnings.join('\n').contains("Ambiguous")) << warnings.join('\n').toStdString();
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
