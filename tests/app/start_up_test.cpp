// Start-up: the command line carried out, monitors reopened from the last
// exit, and a file that cannot be read ending the program.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/fake_output_choice.h"
#include "app/frame_rig.h"
#include "app/tavrino_session.h"
#include "document/test_songs.h"
#include "song/midi_writer.h"
#include "view/tavrino_view.h"

namespace tavrino::test {
namespace {

CommandLineRequest Request(const QString& file, bool play = false) {
    CommandLineRequest request;
    if (!file.isEmpty()) {
        request.files = {file};
    }
    request.play = play;
    return request;
}

struct StartUpRig {
    StartUpRig() {
        for (const MonitorKind kind : {kMixerMonitor, kPianoMonitor, kDiatonicMonitor}) {
            factory.Register(kind, [kind](SettingsStore& s) {
                return std::make_unique<RecordingMonitor>(s, kind);
            });
        }
        MidiSong song;
        MidiTrack& track = AddTrack(song);
        AddNote(track, 0, 67, 0, 480);
        FinishSong(song, 480);
        WriteMidiFile(song, songPath.toStdString());
    }

    QTemporaryDir dir;
    QString songPath = dir.filePath("tune.mid");
    QtSettingsStore store{dir.filePath("settings.ini")};
    FakeMidiStream stream;
    FakeOutputChoice outputs;
    MonitorFactory factory;
};

TEST(StartUp, TheFileOnTheCommandLineOpensAndPlaysOnRequest) {
    StartUpRig rig;
    TavrinoSession session(rig.store, rig.stream, rig.outputs, rig.factory);
    ASSERT_TRUE(session.Start(Request(rig.songPath, true)));
    EXPECT_TRUE(session.frame().isVisible());
    EXPECT_EQ(session.frame().windowTitle(), "tune.mid[*] - Tavrino");
    EXPECT_TRUE(session.frame().doc().HasTracks());
    EXPECT_TRUE(session.player().IsPlaying());
    EXPECT_TRUE(session.frame().acceptDrops());
}

TEST(StartUp, ScrollingTheViewMovesThePlayPosition) {
    StartUpRig rig;
    TavrinoSession session(rig.store, rig.stream, rig.outputs, rig.factory);
    ASSERT_TRUE(session.Start(Request(rig.songPath)));
    auto* view = qobject_cast<CTavrinoView*>(session.frame().centralWidget());
    ASSERT_NE(view, nullptr);
    emit view->playTickScrolled(240);
    EXPECT_EQ(session.player().position.current, 240);
    EXPECT_EQ(session.frame().panes().positionText(), QString::asprintf("%10d", 240));
}

TEST(StartUp, MonitorsOpenAtTheLastExitComeBackButNotTheHarmonicas) {
    StartUpRig rig;
    rig.store.WriteInteger(kStateSection, "Mon1On", 1);
    rig.store.WriteInteger(kStateSection, "Mon3On", 1);
    TavrinoSession session(rig.store, rig.stream, rig.outputs, rig.factory);
    ASSERT_TRUE(session.Start(Request({})));
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(session.frame().monitors().IsOpen(kMixerMonitor));
    EXPECT_FALSE(session.frame().monitors().IsOpen(kDiatonicMonitor));
    EXPECT_FALSE(session.frame().monitors().IsOpen(kPianoMonitor));
    EXPECT_FALSE(session.player().IsPlaying());
}

TEST(StartUp, AFileThatCannotBeReadEndsTheProgramAfterSayingSo) {
    StartUpRig rig;
    TavrinoSession session(rig.store, rig.stream, rig.outputs, rig.factory);
    QString caption;
    QString text;
    CloseModalBoxOnceShown(caption, text);
    EXPECT_FALSE(session.Start(Request(rig.dir.filePath("missing.mid"))));
    EXPECT_EQ(caption, "Tavrino! Error");
    EXPECT_EQ(text, "Error reading file\nCannot open the file (No such file or directory)");
    EXPECT_TRUE(RecentFileList(rig.store).files().isEmpty());
}

}  // namespace
}  // namespace tavrino::test
