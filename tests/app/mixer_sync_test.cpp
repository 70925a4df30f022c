// The mixer beside the score in one session: what the score's note menu
// changes shows in the mixer at once, and the score's highlighted tracks
// and the mixer's selection follow each other.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/fake_output_choice.h"
#include "app/frame_rig.h"
#include "app/tavrino_session.h"
#include "document/test_songs.h"
#include "song/midi_writer.h"
#include "support/menu_choice.h"
#include "view/note_menu.h"

namespace tavrino::test {
namespace {

// A conductor track and three tracks of one note each, a quarter apart, so
// that every track has a bar of its own to right-click.
class MixerSyncTest : public ::testing::Test {
protected:
    void SetUp() override {
        factory.Register(kMixerMonitor, [this](SettingsStore& s) {
            return std::make_unique<CMonMixer>(s, session->mixerServices());
        });
        MidiSong song;
        AddTempo(AddTrack(song), 0, 500000);
        for (int i = 1; i <= 3; ++i) {
            AddNote(AddTrack(song), 0, 60 + 4 * i, 480 * i, 480 * i + 480);
        }
        FinishSong(song, 480);
        const QString path = dir.filePath("tracks.mid");
        ASSERT_EQ(WriteMidiFile(song, path.toStdString()), 0);
        session = std::make_unique<TavrinoSession>(store, stream, outputs, factory);
        CommandLineRequest request;
        request.files = {path};
        ASSERT_TRUE(session->Start(request));
        session->frame().actions()[ID_VIEW_MIXER]->trigger();
        mixer = dynamic_cast<CMonMixer*>(session->frame().monitors().Find(kMixerMonitor));
        ASSERT_NE(mixer, nullptr);
        session->frame().resize(1000, 700);
        // Each track's volume tells its rows apart after tracks go.
        for (std::size_t i = 0; i < song.tracks.size(); ++i) {
            Song().tracks[i]->velocityPercent = static_cast<std::uint8_t>(10 * (i + 1));
        }
        session->frame().monitors().ResetMonitors(true);
        ASSERT_EQ(mixer->trackList().count(), 4);
    }

    CTavrinoView& view() { return session->view(); }
    MidiSong& Song() { return session->frame().doc().song; }

    // The note of the track that is now at `track`.
    MidiEvent& NoteOf(int track) {
        for (MidiEvent* event : Song().messages) {
            if (event->playable != 0 && event->track == Song().tracks[track].get()) {
                return *event;
            }
        }
        ADD_FAILURE() << "track " << track << " has no note";
        return *Song().messages[0];
    }

    void RightClickNote(int track, int command) {
        view().viewport()->grab();
        const PixelRect bar = view().NoteBarOf(NoteOf(track));
        const QPoint at(bar.left + 4, (bar.top + bar.bottom) / 2);
        ChooseFromMenu(command);
        QMouseEvent press(QEvent::MouseButtonPress, at, view().viewport()->mapToGlobal(at),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view().viewport(), &press);
    }

    std::vector<int> RowVolumes() {
        std::vector<int> volumes;
        for (int row = 0; row < mixer->RowsInUse(); ++row) {
            volumes.push_back(mixer->slider(row).value());
        }
        return volumes;
    }
    std::vector<bool> RowsChecked() {
        std::vector<bool> checked;
        for (int row = 0; row < mixer->RowsInUse(); ++row) {
            checked.push_back(mixer->visibleBox(row).isChecked());
        }
        return checked;
    }
    std::vector<int> SelectedRows() {
        std::vector<int> rows;
        for (int row = 0; row < mixer->trackList().count(); ++row) {
            if (mixer->trackList().item(row)->isSelected()) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    QTemporaryDir dir;
    QtSettingsStore store{dir.filePath("settings.ini")};
    FakeMidiStream stream;
    FakeOutputChoice outputs;
    MonitorFactory factory;
    std::unique_ptr<TavrinoSession> session;
    CMonMixer* mixer = nullptr;
};

TEST_F(MixerSyncTest, TheMixerShowsWhatTheNoteMenuHidesShowsAndDeletes) {
    RightClickNote(1, kMenuDeleteTrack);
    ASSERT_EQ(Song().tracks.size(), 3u);
    EXPECT_EQ(mixer->trackList().count(), 3);
    EXPECT_EQ(mixer->trackList().item(2)->text().left(2), "02");
    EXPECT_EQ(RowVolumes(), (std::vector<int>{10, 30, 40})) << "the rows follow the tracks";

    RightClickNote(1, kMenuHideTrack);
    EXPECT_EQ(RowsChecked(), (std::vector<bool>{true, false, true}));

    RightClickNote(2, kMenuShowOnlyTrack);
    EXPECT_EQ(RowsChecked(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(RowVolumes(), (std::vector<int>{10, 30, 40}));
}

TEST_F(MixerSyncTest, TheScoresHighlightAndTheMixersSelectionFollowEachOther) {
    RightClickNote(2, kMenuHighlightTrack);
    EXPECT_EQ(SelectedRows(), std::vector<int>{2});
    RightClickNote(3, kMenuHighlightTrack);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3}));
    RightClickNote(2, kMenuHighlightTrack);
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});

    // Selecting in the mixer highlights the track in the score.
    const QImage before = view().viewport()->grab().toImage();
    mixer->trackList().item(1)->setSelected(true);
    EXPECT_NE(Song().tracks[1]->flags & MidiTrack::kHighlighted, 0);
    EXPECT_NE(Song().tracks[3]->flags & MidiTrack::kHighlighted, 0);
    EXPECT_NE(view().viewport()->grab().toImage(), before) << "the score shows the highlight";

    // Escape in the main window clears both.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&session->frame(), &escape);
    EXPECT_TRUE(SelectedRows().empty());
    for (const auto& track : Song().tracks) {
        EXPECT_EQ(track->flags & MidiTrack::kHighlighted, 0);
    }
}

}  // namespace
}  // namespace tavrino::test
