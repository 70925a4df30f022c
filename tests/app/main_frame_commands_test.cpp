// Which commands the main window offers, when, and what its menu and toolbar
// controls do to the settings, the player and the view.

#include <gtest/gtest.h>

#include "app/frame_rig.h"
#include "document/test_songs.h"

namespace tavrino::test {
namespace {

void MakeSong(MidiSong& song) {
    MidiTrack& track = AddTrack(song);
    AddTempo(track, 0, 500000);
    AddNote(track, 0, 60, 0, 480);
    AddNote(track, 0, 62, 480, 960);
    AddNote(track, 0, 64, 960, 1440);
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

bool Enabled(FrameRig& rig, CommandId id) {
    return rig.frame->actions()[id]->isEnabled();
}

TEST(MainFrameCommands, CommandsOfPartsNotYetBuiltStayDisabled) {
    FrameRig rig;
    MidiSong song;
    MakeSong(song);
    ASSERT_TRUE(rig.Open(song));
    rig.frame->UpdateCommands();
    for (const CommandId id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_HELP_TOPICS}) {
        EXPECT_FALSE(Enabled(rig, id)) << id;
    }
}

TEST(MainFrameCommands, SongCommandsNeedASongAndAStoppedPlayer) {
    FrameRig rig;
    EXPECT_FALSE(Enabled(rig, ID_FILE_RELOAD));
    EXPECT_FALSE(Enabled(rig, ID_SAVE_DISASSEMBLY));
    for (const CommandId id :
         {ID_EDIT_CROP, ID_TAB_TEXT_TRACK, ID_EDIT_BEGIN_MARK, ID_EDIT_END_MARK, ID_FILE_PROPERTIES,
          ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}) {
        EXPECT_FALSE(Enabled(rig, id)) << id;
    }
    for (const CommandId id : {ID_FILE_OPEN, ID_PLAYER_PLAY, ID_OPTIONS, ID_FILE_PRINT_SETUP}) {
        EXPECT_TRUE(Enabled(rig, id)) << id;
    }

    MidiSong song;
    MakeSong(song);
    ASSERT_TRUE(rig.Open(song));
    rig.frame->UpdateCommands();
    EXPECT_TRUE(Enabled(rig, ID_FILE_RELOAD));
    EXPECT_TRUE(Enabled(rig, ID_SAVE_DISASSEMBLY));
    EXPECT_TRUE(Enabled(rig, ID_TAB_TEXT_TRACK));
    EXPECT_FALSE(Enabled(rig, ID_EDIT_CROP)) << "no mark is set";
    EXPECT_TRUE(Enabled(rig, ID_EDIT_BEGIN_MARK));
    EXPECT_TRUE(Enabled(rig, ID_EDIT_END_MARK));
    EXPECT_TRUE(Enabled(rig, ID_FILE_PROPERTIES));
    EXPECT_TRUE(Enabled(rig, ID_FILE_PRINT));
    EXPECT_TRUE(Enabled(rig, ID_FILE_PRINT_PREVIEW));
    EXPECT_FALSE(Enabled(rig, ID_APPLY_TEMPO)) << "the tempo is at 100 %";

    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    ASSERT_TRUE(rig.player.IsPlaying());
    EXPECT_FALSE(Enabled(rig, ID_SAVE_DISASSEMBLY));
    EXPECT_FALSE(Enabled(rig, ID_TAB_TEXT_TRACK));

    rig.frame->actions()[ID_PLAYER_STOP]->trigger();
    EXPECT_FALSE(rig.player.IsPlaying());
    EXPECT_TRUE(Enabled(rig, ID_SAVE_DISASSEMBLY));
}

TEST(MainFrameCommands, UndoFollowsTheLastTransposition) {
    FrameRig rig;
    MidiSong song;
    MakeSong(song);
    ASSERT_TRUE(rig.Open(song));
    QAction* undo = rig.frame->actions()[ID_EDIT_UNDO];
    rig.frame->UpdateCommands();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Can't Undo\tCtrl+Z");

    rig.frame->actions()[ID_TRANSPOSE_HALF_UP]->trigger();
    EXPECT_EQ(FirstKey(rig), 61);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "Undo Transpose\tCtrl+Z");
    EXPECT_TRUE(rig.frame->isWindowModified());

    undo->trigger();
    EXPECT_EQ(FirstKey(rig), 60);
    EXPECT_FALSE(rig.frame->isWindowModified());
}

TEST(MainFrameCommands, TransposingWhilePlayingPlaysOnFromWhereTheMusicStood) {
    FrameRig rig;
    MidiSong song;
    MakeSong(song);
    ASSERT_TRUE(rig.Open(song));
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(20);
    const std::int32_t stood = rig.player.position.current;
    ASSERT_GT(stood, 0);

    rig.frame->actions()[ID_TRANSPOSE_OCTAVE_UP]->trigger();
    EXPECT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, stood);
    EXPECT_EQ(FirstKey(rig), 72);
}

TEST(MainFrameCommands, RepeatAndCountInAreCheckedAndSaved) {
    FrameRig rig;
    rig.frame->UpdateCommands();
    EXPECT_TRUE(rig.frame->actions()[ID_REPEAT_NONE]->isChecked());

    rig.frame->actions()[ID_REPEAT_ALL]->trigger();
    EXPECT_TRUE(rig.frame->actions()[ID_REPEAT_ALL]->isChecked());
    EXPECT_FALSE(rig.frame->actions()[ID_REPEAT_NONE]->isChecked());
    EXPECT_EQ(rig.store.ReadInteger(kOptionsSection, "playerRepeat"), 2);

    rig.frame->actions()[ID_METRONOME]->trigger();
    EXPECT_TRUE(rig.frame->actions()[ID_METRONOME]->isChecked());
    EXPECT_EQ(rig.store.ReadInteger(kOptionsSection, "playMetronome"), 1);
    // The whole play group is written, not only the changed key.
    EXPECT_EQ(rig.store.ReadInteger(kOptionsSection, "midiDevice"), -1);
}

TEST(MainFrameCommands, ZoomAndTablatureTypeGoToTheView) {
    FrameRig rig;
    rig.frame->UpdateCommands();
    EXPECT_TRUE(rig.frame->actions()[ID_ZOOM_100]->isChecked());
    rig.frame->actions()[ID_ZOOM_200]->trigger();
    EXPECT_EQ(rig.view->zoomIndex, 4);
    EXPECT_TRUE(rig.frame->actions()[ID_ZOOM_200]->isChecked());
    EXPECT_FALSE(rig.frame->actions()[ID_ZOOM_100]->isChecked());

    QComboBox* box = rig.frame->tablatureTypeBox();
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(1), "Diatonic");
    EXPECT_EQ(box->currentIndex(), 0);
    emit box->activated(2);
    EXPECT_EQ(rig.view->tablatureType, 2);
}

TEST(MainFrameCommands, TempoSliderDragShowsOnlyThePercentAndSnapsOnRelease) {
    FrameRig rig;
    QSlider* slider = rig.frame->tempo().slider();
    slider->setSliderDown(true);
    slider->setSliderPosition(130);
    EXPECT_EQ(rig.frame->panes().tempoPercentText(), "130%");
    EXPECT_EQ(rig.player.TempoPercent(), 100) << "the speed changes on release only";

    slider->setSliderPosition(97);
    slider->setSliderDown(false);
    EXPECT_EQ(slider->value(), 100);
    EXPECT_EQ(rig.frame->panes().tempoPercentText(), "100%");
    EXPECT_EQ(rig.player.TempoPercent(), 100);

    slider->setSliderDown(true);
    slider->setSliderPosition(150);
    slider->setSliderDown(false);
    EXPECT_EQ(rig.player.TempoPercent(), 150);
    EXPECT_EQ(rig.frame->panes().beatsPerMinuteText(), " 180 bpm");
}

TEST(MainFrameCommands, ApplyTempoChangeRewritesTheSongAtTheSliderSpeed) {
    FrameRig rig;
    MidiSong song;
    MakeSong(song);
    ASSERT_TRUE(rig.Open(song));
    QSlider* slider = rig.frame->tempo().slider();
    slider->setSliderDown(true);
    slider->setSliderPosition(200);
    slider->setSliderDown(false);
    rig.frame->UpdateCommands();
    ASSERT_TRUE(Enabled(rig, ID_APPLY_TEMPO));

    rig.frame->actions()[ID_APPLY_TEMPO]->trigger();
    EXPECT_EQ(rig.frame->doc().song.TempoAt(1), 250000);
    EXPECT_EQ(rig.player.TempoPercent(), 100);
    EXPECT_EQ(slider->value(), 100);
    EXPECT_EQ(rig.frame->panes().tempoPercentText(), "100%");
    EXPECT_FALSE(Enabled(rig, ID_APPLY_TEMPO));
}

TEST(MainFrameCommands, RecentFilesListTheOpenedSongs) {
    FrameRig rig;
    MidiSong first;
    MakeSong(first);
    MidiSong second;
    MakeSong(second);
    ASSERT_TRUE(rig.Open(first, "first.mid"));
    ASSERT_TRUE(rig.Open(second, "second.mid"));
    ASSERT_EQ(rig.recent.files().size(), 2);
    EXPECT_TRUE(rig.recent.files()[0].endsWith("second.mid"));
    EXPECT_EQ(rig.frame->windowTitle(), "second.mid[*] - Tavrino");

    QStringList entries;
    for (QAction* action : rig.frame->actions().fileMenu()->actions()) {
        if (action->text().startsWith("&1") || action->text().startsWith("&2")) {
            entries << action->text();
        }
    }
    EXPECT_EQ(entries, QStringList({"&1 second.mid", "&2 first.mid"}));
}

}  // namespace
}  // namespace tavrino::test
