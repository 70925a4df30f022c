// The play list in the main window: every open keeps it in step, Next and
// Previous walk it, the end of a song follows the repeat mode, the dialog
// edits it, and practice loops step the tempo between the marks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>

#include "app/frame_rig.h"
#include "document/test_songs.h"
#include "player/play_list_file.h"
#include "song/midi_writer.h"

namespace tavrino::test {
namespace {

// Closes every message box as it comes up and keeps their texts.
class MessageCloser {
public:
    MessageCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                titles.push_back(box->windowTitle());
                box->close();
            }
        });
        timer_.start(0);
    }
    QStringList titles;

private:
    QTimer timer_;
};

// A window with songs "a.mid" to "e.mid" in its folder, each one note long
// and the note telling which song it is (60 for a, 61 for b ...).
struct ListRig : FrameRig {
    ListRig() {
        for (int i = 0; i < 5; ++i) {
            MidiSong song;
            MidiTrack& track = AddTrack(song);
            AddNote(track, 0, 60 + i, 0, 480);
            FinishSong(song, 480);
            const QString path = Song(i);
            EXPECT_EQ(WriteMidiFile(song, path.toStdString()), kWriteOk);
            paths.append(path);
        }
    }
    QString Song(int i) const {
        return FilePath(std::string(1, static_cast<char>('a' + i)) + ".mid");
    }
    // Which song is open: 0 for a.mid ..., -1 for none.
    int SongOpen() const {
        for (const MidiEvent* event : frame->doc().song.messages) {
            if (event->isSoundingNoteOn()) {
                return event->data1 - 60;
            }
        }
        return -1;
    }
    PlayListCommands& list() { return frame->playList(); }
    int current() { return list().list().current(); }
    void Trigger(CommandId id) {
        frame->actions()[id]->trigger();
        HandlePosted();
    }
    // Plays the open song to its end and handles what follows it.
    void PlayToEnd() {
        stream.PlayAll(200);
        HandlePosted();
    }

    QStringList paths;
};

TEST(PlayListCommands, OpeningSeveralFilesMakesTheListAndNextAndPreviousWalkIt) {
    ListRig rig;
    rig.frame->UpdateCommands();
    EXPECT_FALSE(rig.frame->actions()[ID_PLAYER_NEXT]->isEnabled());
    ASSERT_TRUE(rig.list().OpenFiles(rig.paths.mid(0, 3)));
    EXPECT_EQ(rig.list().list().size(), 3u);
    EXPECT_EQ(rig.SongOpen(), 0);
    EXPECT_TRUE(rig.frame->actions()[ID_PLAYER_NEXT]->isEnabled());

    rig.Trigger(ID_PLAYER_NEXT);
    EXPECT_EQ(rig.SongOpen(), 1);
    rig.Trigger(ID_PLAYER_PREVIOUS);
    rig.Trigger(ID_PLAYER_PREVIOUS);
    EXPECT_EQ(rig.SongOpen(), 2) << "Previous wraps to the last entry";
    EXPECT_EQ(rig.current(), 2);

    QFile::remove(rig.Song(0));
    rig.Trigger(ID_PLAYER_NEXT);
    EXPECT_EQ(rig.SongOpen(), 1) << "the missing first file is passed over";

    // Any other open replaces the whole list, the new file current.
    ASSERT_TRUE(rig.frame->files().OpenDocumentFile(rig.Song(4)));
    EXPECT_EQ(rig.list().list().paths(), std::vector<std::string>{rig.Song(4).toStdString()});
    EXPECT_EQ(rig.current(), 0);
    rig.frame->UpdateCommands();
    EXPECT_FALSE(rig.frame->actions()[ID_PLAYER_NEXT]->isEnabled());
}

TEST(PlayListCommands, AFailedOpenKeepsTheEntryThatWasCurrent) {
    ListRig rig;
    QFile damaged(rig.FilePath("damaged.mid"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a song");
    damaged.close();
    ASSERT_TRUE(rig.list().OpenFiles({rig.paths[0], damaged.fileName(), rig.paths[2]}));
    MessageCloser closer;
    EXPECT_FALSE(rig.list().OpenEntry(1));
    EXPECT_EQ(rig.current(), 0);
    EXPECT_EQ(closer.titles, QStringList{"Tavrino! Error"});
    rig.Trigger(ID_PLAYER_PREVIOUS);
    EXPECT_EQ(rig.SongOpen(), 2) << "Previous goes back from the entry that was current";
    EXPECT_FALSE(rig.list().OpenEntry(7));
    EXPECT_FALSE(rig.list().OpenEntry(-1));
}

TEST(PlayListCommands, TheEndOfASongFollowsTheRepeatMode) {
    ListRig rig;
    ASSERT_TRUE(rig.list().OpenFiles(rig.paths.mid(0, 3)));
    rig.Trigger(ID_PLAYER_PLAY);
    rig.PlayToEnd();
    EXPECT_EQ(rig.SongOpen(), 1) << "repeat none: on to the next song";
    EXPECT_TRUE(rig.player.IsPlaying());
    rig.PlayToEnd();
    rig.PlayToEnd();
    EXPECT_EQ(rig.SongOpen(), 2) << "the last song stops the list";
    EXPECT_FALSE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 0);

    rig.Trigger(ID_REPEAT_ALL);
    rig.Trigger(ID_PLAYER_PLAY);
    rig.PlayToEnd();
    EXPECT_EQ(rig.SongOpen(), 0) << "repeat all: back to the first";
    EXPECT_TRUE(rig.player.IsPlaying());

    rig.Trigger(ID_REPEAT_ONE);
    rig.PlayToEnd();
    EXPECT_EQ(rig.SongOpen(), 0);
    EXPECT_TRUE(rig.player.IsPlaying());
}

TEST(PlayListCommands, ListsThatCannotPlayOnStopInsteadOfSpinning) {
    ListRig rig;
    // The list names itself and a missing file after its one song.
    const QString listPath = rig.FilePath("self.lst");
    QFile list(listPath);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(("TAVRINO_PLAYLIST 0\n" + rig.paths[0] + "\nmissing.mid\nself.lst\n").toUtf8());
    list.close();
    ASSERT_TRUE(rig.frame->files().OpenDocumentFile(listPath));
    EXPECT_EQ(rig.list().list().size(), 3u);
    EXPECT_EQ(rig.SongOpen(), 0);

    MessageCloser closer;
    for (const CommandId repeat : {ID_REPEAT_NONE, ID_REPEAT_ALL}) {
        rig.Trigger(repeat);
        ASSERT_TRUE(rig.list().OpenEntry(0));
        rig.Trigger(ID_PLAYER_PLAY);
        rig.PlayToEnd();
        EXPECT_EQ(rig.current(), 0);
        EXPECT_FALSE(rig.player.IsPlaying());
    }
    EXPECT_EQ(closer.titles.size(), 2) << "the list itself is no song: said once per end";
}

TEST(PlayListCommands, TheDialogShowsTheListAndEditsIt) {
    ListRig rig;
    ASSERT_TRUE(rig.list().OpenFiles(rig.paths));
    rig.Trigger(ID_PLAYER_NEXT);
    rig.Trigger(ID_VIEW_PLAYLIST);
    CPlayList* dialog = rig.list().dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Tavrino! PlayList");
    EXPECT_EQ(dialog->model().rowCount(), 5);
    EXPECT_EQ(dialog->view()->currentIndex().row(), 1) << "the current entry is selected";

    auto press = [dialog](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog, &event);
    };
    dialog->SelectRow(3);
    press(Qt::Key_Return);
    EXPECT_EQ(rig.SongOpen(), 3) << "Enter opens the selected entry";
    EXPECT_EQ(rig.current(), 3);

    dialog->SelectRow(4);
    press(Qt::Key_Delete);
    EXPECT_EQ(dialog->model().rowCount(), 4);
    EXPECT_EQ(dialog->view()->currentIndex().row(), 3) << "the new last entry is selected";
    EXPECT_EQ(rig.current(), 3);
    dialog->SelectRow(0);
    press(Qt::Key_Delete);
    EXPECT_EQ(rig.current(), 2) << "an entry before the current one went";
    EXPECT_EQ(dialog->view()->currentIndex().row(), 0);

    dialog->view()->selectionModel()->clear();
    press(Qt::Key_Return);
    EXPECT_EQ(rig.SongOpen(), 3) << "Enter without a selection opens nothing";

    rig.list().Move(2, 0);
    EXPECT_EQ(rig.current(), 0) << "the current file moved to the top";
    EXPECT_TRUE(dialog->model().data(dialog->model().index(0), Qt::FontRole).value<QFont>().bold());

    QFile::remove(rig.Song(2));
    rig.list().AddFiles({rig.Song(2)});
    ASSERT_EQ(dialog->model().rowCount(), 4);
    EXPECT_TRUE(dialog->model().IsMissing(3));
    EXPECT_TRUE(dialog->model()
                    .data(dialog->model().index(3), Qt::DisplayRole)
                    .toString()
                    .endsWith("(missing)"));

    press(Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(rig.list().dialog(), nullptr);
    EXPECT_TRUE(rig.store.ReadInteger(kStateSection, "List.x1").has_value());
}

TEST(PlayListCommands, ListsAreSavedAndLoaded) {
    ListRig rig;
    ASSERT_TRUE(rig.list().OpenFiles(rig.paths.mid(0, 3)));
    rig.Trigger(ID_PLAYER_NEXT);
    const QString saved = rig.FilePath("three.lst");
    ASSERT_TRUE(rig.list().SaveList(saved));

    // Loading into a list that holds songs appends and opens nothing.
    rig.list().LoadList(saved);
    EXPECT_EQ(rig.list().list().size(), 6u);
    EXPECT_EQ(rig.current(), 1);

    // Into an empty list: the saved current entry opens.
    ASSERT_TRUE(rig.frame->files().New());
    rig.list().Clear();
    EXPECT_TRUE(rig.list().list().empty());
    ASSERT_TRUE(rig.list().LoadList(saved));
    EXPECT_EQ(rig.current(), 1);
    EXPECT_EQ(rig.SongOpen(), 1);

    MessageCloser closer;
    EXPECT_FALSE(rig.list().LoadList(rig.Song(4))) << "a song is no list";
    EXPECT_EQ(rig.list().list().size(), 3u);
    EXPECT_EQ(closer.titles, QStringList{"Tavrino! Error"});
}

// Eight quarter notes, the marks around the second one.
struct LoopRig : FrameRig {
    LoopRig() {
        MidiSong song;
        MidiTrack& track = AddTrack(song);
        for (int i = 0; i < 8; ++i) {
            AddNote(track, 0, 60 + i, i * 480, (i + 1) * 480);
        }
        FinishSong(song, 480);
        EXPECT_TRUE(Open(song));
        frame->doc().beginMark = 480;
        frame->doc().endMark = 960;
    }
    void Trigger(CommandId id) {
        frame->actions()[id]->trigger();
        HandlePosted();
    }
};

TEST(PracticeLoop, EachPassBetweenTheMarksPlaysFasterUpToTheTop) {
    LoopRig rig;
    rig.settings.loopTempoStep = 10;
    rig.settings.loopTempoStart = 70;
    rig.settings.loopTempoTop = 95;

    rig.Trigger(ID_PLAYER_PLAY);
    EXPECT_EQ(rig.player.TempoPercent(), 70);
    EXPECT_EQ(rig.frame->panes().tempoPercentText(), "70%");
    std::vector<int> passes;
    for (int pass = 0; pass < 3; ++pass) {
        rig.PlayBuffers(9);  // past the end mark: the next pass
        passes.push_back(rig.player.TempoPercent());
    }
    EXPECT_EQ(passes, (std::vector<int>{80, 90, 95}));
    EXPECT_EQ(rig.frame->panes().tempoPercentText(), "95%");
    EXPECT_EQ(rig.frame->tempo().slider()->value(), 95);
    EXPECT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 480);
}

TEST(PracticeLoop, ACountInCanPrecedeEveryPass) {
    LoopRig rig;
    auto offsetAfterAPass = [&rig] {
        rig.Trigger(ID_PLAYER_PLAY);
        rig.PlayBuffers(9);
        const std::int64_t offset = rig.player.position.offset;
        rig.Trigger(ID_PLAYER_STOP);
        return offset;
    };
    const std::int64_t plain = offsetAfterAPass();
    rig.settings.loopCountIn = 1;
    const std::int64_t countedIn = offsetAfterAPass();
    EXPECT_EQ(countedIn - plain, 5 * 480) << "a bar of 4/4 and the beat before the song";
    EXPECT_EQ(rig.player.TempoPercent(), 100) << "no tempo step unless asked";
}

}  // namespace
}  // namespace tavrino::test
