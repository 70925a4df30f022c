// The monitor base and the main window's monitor list: opening and closing,
// remembered places, the notes a monitor sounds and the keys it receives.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/frame_placement.h"
#include "app/frame_rig.h"
#include "monitors/note_button.h"
#include "monitors/saved_placement.h"

namespace tavrino::test {
namespace {

TEST(MonitorToggles, OnlyKindsTheProgramHasAreOffered) {
    FrameRig rig({kPianoMonitor});
    rig.frame->UpdateCommands();
    EXPECT_TRUE(rig.frame->actions()[ID_VIEW_PIANO]->isEnabled());
    EXPECT_FALSE(rig.frame->actions()[ID_VIEW_MIXER]->isEnabled());
    EXPECT_FALSE(rig.frame->actions()[ID_VIEW_DIATONIC]->isEnabled());
}

TEST(MonitorToggles, TheToggleOpensAndClosesOneMonitorOfAKind) {
    FrameRig rig;
    QAction* piano = rig.frame->actions()[ID_VIEW_PIANO];
    piano->trigger();
    ASSERT_NE(rig.Monitor(kPianoMonitor), nullptr);
    EXPECT_TRUE(piano->isChecked());
    EXPECT_EQ(rig.Monitor(kPianoMonitor)->windowTitle(), "Monitor");
    EXPECT_EQ(rig.Monitor(kPianoMonitor)->log, (std::vector<std::string>{"reset 0"}));

    piano->trigger();
    EXPECT_EQ(rig.frame->monitors().FindMonitor(kPianoMonitor), -1);
    EXPECT_FALSE(piano->isChecked());
}

TEST(MonitorToggles, ClosingAMonitorItselfTakesItOffTheList) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_LYRICS]->trigger();
    rig.frame->actions()[ID_VIEW_MIXER]->trigger();
    EXPECT_EQ(rig.frame->monitors().FindMonitor(kMixerMonitor), 1);
    rig.Monitor(kLyricsMonitor)->close();
    EXPECT_EQ(rig.frame->monitors().size(), 1u);
    EXPECT_EQ(rig.frame->monitors().FindMonitor(kMixerMonitor), 0);
    rig.frame->actions()[ID_VIEW_LYRICS]->trigger();
    EXPECT_NE(rig.Monitor(kLyricsMonitor), nullptr) << "the toggle opens it again";
}

// A monitor whose controls cannot be made.
class BrokenMonitor : public CMonitor {
public:
    using CMonitor::CMonitor;
    MonitorKind GetKind() const override { return kPianoMonitor; }

protected:
    int CreateContents() override { return -1; }
};

TEST(MonitorToggles, AMonitorThatCannotBeMadeIsNotListed) {
    MonitorFactory factory;
    factory.Register(kPianoMonitor,
                     [](SettingsStore& s) { return std::make_unique<BrokenMonitor>(s); });
    MonitorList monitors(factory);
    FrameRig rig;
    EXPECT_FALSE(monitors.Toggle(kPianoMonitor, rig.frame.get(), rig.store));
    EXPECT_FALSE(monitors.IsOpen(kPianoMonitor));
    EXPECT_FALSE(monitors.Toggle(kMixerMonitor, rig.frame.get(), rig.store)) << "no such class";
}

TEST(MonitorPlacement, AMonitorComesBackWhereItWasClosed) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_CHROMATIC]->trigger();
    RecordingMonitor* monitor = rig.Monitor(kChromaticMonitor);
    monitor->setGeometry(120, 140, 330, 230);
    monitor->close();
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Mon4.x1"), 120);
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Mon4.y2"), 370);

    rig.frame->actions()[ID_VIEW_CHROMATIC]->trigger();
    rig.Monitor(kChromaticMonitor)->RestorePlacement(-1, -1, true);
    EXPECT_EQ(rig.Monitor(kChromaticMonitor)->geometry(), QRect(120, 140, 330, 230));
}

TEST(MonitorPlacement, PartialSavedRectanglesAreIgnored) {
    FrameRig rig;
    rig.store.WriteInteger(kStateSection, "Mon2.x1", 50);
    rig.store.WriteInteger(kStateSection, "Mon2.y1", 60);
    rig.store.WriteInteger(kStateSection, "Mon2.y2", 300);  // x2 is missing
    EXPECT_FALSE(ReadSavedRect(rig.store, "Mon2."));
    rig.store.WriteInteger(kStateSection, "Mon2.x2", 450);
    EXPECT_EQ(ReadSavedRect(rig.store, "Mon2."), QRect(50, 60, 400, 240));
}

TEST(MonitorPlacement, ARectangleOffTheScreenIsMovedBackKeepingItsSize) {
    const QRect kept = KeepOnScreen(QRect(5000, 100, 330, 230), QSize(1024, 768), QSize(32, 32));
    EXPECT_EQ(kept, QRect(992, 100, 330, 230));
    const QRect low = KeepOnScreen(QRect(10, 900, 330, 230), QSize(1024, 768), QSize(32, 32));
    EXPECT_EQ(low.top(), 736);
    EXPECT_EQ(KeepOnScreen(QRect(10, 20, 30, 40), QSize(1024, 768), QSize(32, 32)),
              QRect(10, 20, 30, 40));
}

TEST(MonitorPlacement, SizeIsForcedOnlyWhenAskedOrNothingWasSaved) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();
    RecordingMonitor* piano = rig.Monitor(kPianoMonitor);
    piano->setMinimumSize(0, 0);
    piano->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    piano->RestorePlacement(500, 100, false);
    EXPECT_EQ(piano->size(), QSize(500, 100)) << "nothing saved";

    WriteSavedRect(rig.store, "Mon2.", QRect(30, 40, 200, 90));
    piano->RestorePlacement(500, 100, false);
    EXPECT_EQ(piano->geometry(), QRect(30, 40, 200, 90));
    piano->RestorePlacement(500, -1, true);
    EXPECT_EQ(piano->geometry(), QRect(30, 40, 500, 90));
}

TEST(MonitorNotes, AClickSoundsOnTheFirstChannelWithTheMonitorsProgram) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();
    rig.stream.sent.clear();
    rig.Monitor(kPianoMonitor)->SoundNote(64, NoteMode::kPress, 22);
    EXPECT_EQ(rig.stream.sent, (std::vector<std::uint32_t>{0x16C0, 0x7F07B0, 0x7F4090}));
    rig.stream.sent.clear();
    rig.Monitor(kPianoMonitor)->SoundNote(64, NoteMode::kRelease, 22);
    EXPECT_EQ(rig.stream.sent, (std::vector<std::uint32_t>{0x4080}));

    rig.stream.sent.clear();
    rig.Monitor(kPianoMonitor)->SoundNote(67, NoteMode::kClick, 22);
    EXPECT_EQ(rig.stream.sent.back(), 0x7F4390u);
    // Generous for loaded machines; the click itself lasts a fifth of a second.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.stream.sent.back() == 0x4380u; }, 5000))
        << "the click ends by itself";
}

TEST(MonitorKeys, KeysGoToTheDiatonicHarmonicaBeforeThePiano) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(rig.frame.get(), &a);
    EXPECT_EQ(rig.Monitor(kPianoMonitor)->keysPressed, (std::vector<int>{Qt::Key_A}));

    rig.frame->actions()[ID_VIEW_DIATONIC]->trigger();
    QCoreApplication::sendEvent(rig.frame.get(), &a);
    EXPECT_EQ(rig.Monitor(kPianoMonitor)->keysPressed.size(), 1u);
    EXPECT_EQ(rig.Monitor(kDiatonicMonitor)->keysPressed, (std::vector<int>{Qt::Key_A}));
}

TEST(MonitorKeys, ANoteButtonReportsPressAndReleaseAndPassesLettersOn) {
    QWidget parent;
    auto* button = new NoteButton(7, "4", &parent);
    QSignalSpy pressed(button, &NoteButton::notePressed);
    QSignalSpy released(button, &NoteButton::noteReleased);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.front().front().toInt(), 7);

    QKeyEvent letter(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
    QCoreApplication::sendEvent(button, &letter);
    EXPECT_FALSE(letter.isAccepted()) << "left to the monitor";
    QKeyEvent arrow(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &arrow);
    EXPECT_TRUE(arrow.isAccepted());
}

TEST(FramePlacement, ClosingRecordsTheOpenMonitorsAndThePlacement) {
    FrameRig rig;
    rig.frame->actions()[ID_VIEW_DIATONIC]->trigger();
    rig.frame->actions()[ID_VIEW_MIXER]->trigger();
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Running"), 1);
    rig.frame->setGeometry(60, 70, 800, 600);
    rig.frame->close();
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Running"), 0);
    EXPECT_TRUE(WasMonitorOpen(rig.store, kDiatonicMonitor));
    EXPECT_TRUE(WasMonitorOpen(rig.store, kMixerMonitor));
    EXPECT_FALSE(WasMonitorOpen(rig.store, kPianoMonitor));
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "Mon0On"), 0);
    EXPECT_EQ(rig.store.ReadInteger(kStateSection, "showCmd"), 1);
    EXPECT_EQ(ReadSavedRect(rig.store, ""), QRect(60, 70, 800, 600));
}

TEST(FramePlacement, ANormalWindowIsRestoredAMaximizedOneIsNot) {
    FrameRig rig;
    QWidget window;
    rig.store.WriteInteger(kStateSection, "flags", 0);
    rig.store.WriteInteger(kStateSection, "showCmd", 3);
    WriteSavedRect(rig.store, "", QRect(50, 60, 700, 500));
    window.setGeometry(1, 2, 300, 200);
    RestoreFramePlacement(window, rig.store);
    EXPECT_EQ(window.geometry(), QRect(1, 2, 300, 200));
    rig.store.WriteInteger(kStateSection, "showCmd", 1);
    RestoreFramePlacement(window, rig.store);
    EXPECT_EQ(window.geometry(), QRect(50, 60, 700, 500));
}

}  // namespace
}  // namespace tavrino::test
