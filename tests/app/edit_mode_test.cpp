// Edit mode in the main window: the command, the toolbar and its settings,
// the set-up of an empty song, and notes written from the monitors.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "app/frame_rig.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino::test {
namespace {

// A conductor track and a melody on channels 3 and 10.
void MakeSong(MidiSong& song) {
    AddTempo(AddTrack(song), 0, 500000);
    MidiTrack& melody = AddTrack(song);
    AddNote(melody, 2, 60, 0, 480);
    AddNote(melody, 9, 36, 0, 240);
    MidiTrack& bass = AddTrack(song);
    AddNote(bass, 1, 40, 0, 960);
    FinishSong(song, 480);
}

std::int64_t Stored(FrameRig& rig, const char* key) {
    return rig.store.ReadInteger(kStateSection, key).value_or(-1000);
}

// Answers the next message box as soon as it shows.
void DismissNextBox() {
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            box->close();
        }
    });
}

class EditModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        MidiSong song;
        MakeSong(song);
        ASSERT_TRUE(rig.Open(song));
        rig.frame->editMode().SetNewTrackAsker([this]() -> std::optional<NewTrackChoice> {
            ++asked;
            return answer;
        });
    }
    CTavrinoDoc& doc() { return rig.frame->doc(); }
    QAction* command() { return rig.frame->actions()[ID_EDIT_MODE]; }
    CEditToolbar& toolbar() { return *rig.frame->editMode().toolbar(); }

    FrameRig rig;
    std::optional<NewTrackChoice> answer;
    int asked = 0;
};

TEST_F(EditModeTest, TheCommandOpensAndClosesTheToolbarAndRemembersItsSettings) {
    rig.store.WriteInteger(kStateSection, "Edit.notepercent", 0);
    rig.store.WriteInteger(kStateSection, "Edit.editnote", 12);
    rig.store.WriteInteger(kStateSection, "Edit.enablemouse", 1);
    command()->trigger();
    ASSERT_TRUE(rig.frame->IsEditMode());
    EXPECT_TRUE(rig.view->editMode);
    EXPECT_TRUE(command()->isChecked());
    EXPECT_EQ(command()->text(), "&Quit Edit Mode\tAlt+E");
    EXPECT_EQ(asked, 0) << "the song has tracks to write into";
    // A stored percent of 0 reads as 1, an unknown note value as the quarter.
    EXPECT_EQ(toolbar().percentBox()->value(), 1);
    EXPECT_EQ(toolbar().NoteValue(), 2);
    EXPECT_TRUE(doc().mouseWrite);
    EXPECT_EQ(doc().noteDuration, 4);  // 1 % of a quarter at 480
    EXPECT_EQ(doc().noteGap, 476);

    toolbar().noteValueAction(6)->trigger();
    toolbar().percentBox()->setValue(100);
    EXPECT_EQ(doc().noteDuration, 160);
    EXPECT_EQ(doc().noteGap, 0);
    toolbar().mouseWriteBox()->setChecked(false);
    EXPECT_FALSE(doc().mouseWrite);

    command()->trigger();
    EXPECT_FALSE(rig.frame->IsEditMode());
    EXPECT_FALSE(rig.view->editMode);
    EXPECT_EQ(command()->text(), "&Switch to Edit Mode\tAlt+E");
    EXPECT_EQ(Stored(rig, "Edit.notepercent"), 100);
    EXPECT_EQ(Stored(rig, "Edit.editnote"), 6);
    EXPECT_EQ(Stored(rig, "Edit.enablemouse"), 0);
    EXPECT_NE(Stored(rig, "Edit.x1"), -1000);
}

TEST_F(EditModeTest, TheToolbarChoosesTrackAndChannelAndAddsSilence) {
    command()->trigger();
    ASSERT_EQ(toolbar().trackBox()->count(), 2);
    EXPECT_EQ(toolbar().trackBox()->itemText(0), "01 ");
    QComboBox& channels = *toolbar().channelBox();
    ASSERT_EQ(channels.count(), 2);
    EXPECT_EQ(channels.itemText(0), "03");
    EXPECT_EQ(channels.itemText(1), "10");
    EXPECT_TRUE(channels.isEnabled());
    EXPECT_EQ(doc().editChannel, 2);
    emit channels.activated(1);
    EXPECT_EQ(doc().editChannel, 9);
    emit toolbar().trackBox()->activated(1);
    EXPECT_EQ(doc().editTrack, 2);
    EXPECT_EQ(channels.count(), 1);
    EXPECT_FALSE(channels.isEnabled());

    // A quarter at 90 %, twice: two quarters on, nothing written.
    toolbar().percentBox()->setValue(90);
    toolbar().noteValueAction(2)->trigger();
    const std::size_t events = doc().song.messages.size();
    doc().editCursor = 0;
    toolbar().addSilenceButton()->click();
    toolbar().addSilenceButton()->click();
    EXPECT_EQ(doc().editCursor, 960);
    EXPECT_EQ(doc().song.messages.size(), events);
}

TEST_F(EditModeTest, MonitorNotesAreWrittenOnlyInEditModeAndTheCursorLeadsTransport) {
    QCoreApplication::postEvent(rig.frame.get(), new MonitorNoteEvent(72, NoteMode::kClick, 0));
    rig.HandlePosted();
    const std::size_t events = doc().song.messages.size();

    command()->trigger();
    toolbar().percentBox()->setValue(50);
    toolbar().noteValueAction(2)->trigger();
    doc().editCursor = 480;
    QCoreApplication::postEvent(rig.frame.get(), new MonitorNoteEvent(72, NoteMode::kPress, 0));
    QCoreApplication::postEvent(rig.frame.get(), new MonitorNoteEvent(72, NoteMode::kRelease, 0));
    rig.HandlePosted();
    EXPECT_EQ(doc().song.messages.size(), events + 2) << "one note for press and release";
    EXPECT_EQ(doc().editCursor, 960);
    EXPECT_EQ(rig.player.position.current.load(), 960);
    EXPECT_TRUE(SongIsConsistent(doc().song));

    doc().beginMark = kNoMark;
    rig.frame->actions()[ID_PLAYER_REWIND]->trigger();
    EXPECT_EQ(doc().editCursor, 0);
    doc().editCursor = 240;
    rig.frame->transport().OnPlayerEnded();
    EXPECT_EQ(rig.player.position.current.load(), 240) << "the end of the song waits at the cursor";
}

TEST_F(EditModeTest, StoppingOrLeavingEditModeEndsTheKeysStillHeld) {
    command()->trigger();
    doc().editCursor = 100;
    doc().WriteNote(67, kKeyDown);
    rig.frame->actions()[ID_PLAYER_STOP]->trigger();
    EXPECT_TRUE(doc().pendingNotes.empty());
    doc().WriteNote(65, kKeyDown);
    ASSERT_EQ(doc().pendingNotes.size(), 1u);
    rig.stream.sent.clear();
    command()->trigger();
    EXPECT_TRUE(doc().pendingNotes.empty());
    EXPECT_TRUE(SongIsConsistent(doc().song));
    bool silenced = false;
    for (const std::uint32_t message : rig.stream.sent) {
        silenced = silenced || ((message & 0xF0) == 0x80 && ((message >> 8) & 0x7F) == 65);
    }
    EXPECT_TRUE(silenced);
}

TEST(EditModeEmptySong, AnEmptySongNeedsANewTrackAndCancellingLeavesEditMode) {
    FrameRig rig;
    std::optional<NewTrackChoice> answer;
    rig.frame->editMode().SetNewTrackAsker([&answer] { return answer; });
    DismissNextBox();
    rig.frame->actions()[ID_EDIT_MODE]->trigger();
    EXPECT_FALSE(rig.frame->IsEditMode());
    EXPECT_FALSE(rig.view->editMode);

    answer = NewTrackChoice{"Harp", 4};
    rig.frame->actions()[ID_EDIT_MODE]->trigger();
    ASSERT_TRUE(rig.frame->IsEditMode());
    const MidiSong& song = rig.frame->doc().song;
    ASSERT_EQ(song.tracks.size(), 2u);
    EXPECT_EQ(song.division, 192);
    EXPECT_EQ(song.tracks[1]->name, "Harp");
    EXPECT_EQ(rig.frame->doc().editChannel, 4);
    EXPECT_EQ(rig.frame->editMode().toolbar()->trackBox()->itemText(0), "01 Harp");
    EXPECT_TRUE(SongIsConsistent(song));
}

}  // namespace
}  // namespace tavrino::test
