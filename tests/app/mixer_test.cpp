// The mixer: its rows, meters, check boxes, keys and context-menu commands on
// a song held by a document.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>

#include "app/mon_mixer.h"
#include "dialogs/scripted_prompts.h"
#include "document/document_fakes.h"
#include "document/test_songs.h"
#include "settings/memory_settings_store.h"

namespace tavrino::test {
namespace {

using ::testing::ElementsAre;

TEST(MixerLevels, NotesSetTheLevelsAndDecayLetsThemFall) {
    MixerLevels levels;
    levels.Reset(3);
    EXPECT_TRUE(levels.NoteOn(1, 100, 50));
    EXPECT_EQ(levels.level(1), -50) << "held";
    EXPECT_FALSE(levels.NoteOn(1, 40, 100)) << "a softer note does not lower it";
    EXPECT_TRUE(levels.NoteOn(2, 127, 200));
    EXPECT_EQ(levels.level(2), -127) << "scaled, at most 127";
    EXPECT_FALSE(levels.NoteOn(0, 100, 0)) << "a muted track's meter stays dark";
    EXPECT_FALSE(levels.NoteOn(7, 100, 100)) << "no such track";

    EXPECT_TRUE(levels.NoteOff(1));
    EXPECT_EQ(levels.level(1), 50);
    EXPECT_TRUE(levels.Decay());
    EXPECT_EQ(levels.level(1), 18);
    EXPECT_EQ(levels.level(2), -123) << "held notes sag slowly";
    levels.Decay();
    EXPECT_EQ(levels.level(1), 0);
    const int brushes[][2] = {{0, 0}, {15, 0}, {16, 1}, {-64, 4}, {127, 7}};
    for (const auto& [level, brush] : brushes) {
        EXPECT_EQ(MixerLevels::BrushIndex(level), brush) << level;
    }
}

// Five tracks: 0 the conductor, 1 "Melody" with lyrics, 2 "Bass", 3
// "Drums" with a text, 4 "Harmonica"; each plays one note.
class MixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeSong(5);
        mixer = std::make_unique<CMonMixer>(store, Services());
        ASSERT_EQ(mixer->CreateMonitor(nullptr), 0);
        mixer->resize(343, 300);
    }

    void MakeSong(int tracks) {
        const char* names[] = {"", "Melody", "Bass", "Drums", "Harmonica"};
        doc.song.Reset();
        AddTempo(AddTrack(doc.song), 0, 500000);
        for (int i = 1; i < tracks; ++i) {
            AddNote(AddTrack(doc.song), 0, 60 + i, 0, 480, 100);
            doc.song.tracks.back()->name = i < 5 ? names[i] : "Track " + std::to_string(i);
        }
        FinishSong(doc.song, 480);
        doc.song.tracks[1]->lyricCount = 3;
        if (tracks > 3) {
            doc.song.tracks[3]->textCount = 1;
        }
    }

    MixerServices Services() {
        return {doc,
                settings,
                [this] { return playing; },
                [this] { ++repaints; },
                [this](bool newSong) {
                    resets.push_back(newSong);
                    mixer->ResetDisplay(newSong);
                },
                [this](int index) {
                    propertiesOpened.push_back(index);
                    if (moveOnProperties) {
                        doc.MoveTrack(index, index + 1);
                    }
                    return true;
                },
                script.prompts()};
    }

    void Select(std::initializer_list<int> rows) {
        mixer->trackList().clearSelection();
        for (const int row : rows) {
            mixer->trackList().item(row)->setSelected(true);
        }
    }

    std::vector<int> Volumes() const {
        std::vector<int> volumes;
        for (const auto& track : doc.song.tracks) {
            volumes.push_back(track->velocityPercent);
        }
        return volumes;
    }

    std::vector<bool> Visible() const {
        std::vector<bool> visible;
        for (const auto& track : doc.song.tracks) {
            visible.push_back(track->visible());
        }
        return visible;
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&mixer->trackList(), &event);
    }

    MemorySettingsStore store;
    Settings settings;
    FakeHost host;
    FakePlayer player;
    CTavrinoDoc doc{host, player};
    ScriptedPrompts script;
    bool playing = false;
    bool moveOnProperties = false;
    int repaints = 0;
    std::vector<bool> resets;
    std::vector<int> propertiesOpened;
    std::unique_ptr<CMonMixer> mixer;
};

TEST_F(MixerTest, ARowPerTrackWithItsNumberLetterNameVolumeAndVisibility) {
    QStringList items;
    for (int row = 0; row < mixer->trackList().count(); ++row) {
        items << mixer->trackList().item(row)->text();
    }
    EXPECT_THAT(items, ElementsAre("00 ", "01LMelody", "02 Bass", "03TDrums", "04 Harmonica"));
    EXPECT_EQ(mixer->windowTitle(), "Tavrino! Mixer");
    ASSERT_EQ(mixer->RowsInUse(), 5);
    doc.song.tracks[2]->velocityPercent = 40;
    doc.song.tracks[3]->flags &= ~MidiTrack::kVisible;
    mixer->ResetDisplay(false);
    EXPECT_EQ(mixer->slider(2).value(), 40);
    EXPECT_FALSE(mixer->visibleBox(3).isChecked());
    EXPECT_TRUE(mixer->visibleBox(4).isChecked());
    EXPECT_FALSE(mixer->slider(5).isVisibleTo(mixer.get()));

    // Moving a slider sets its track's volume.
    mixer->slider(1).setValue(150);
    EXPECT_EQ(doc.song.tracks[1]->velocityPercent, 150);
}

TEST_F(MixerTest, TheMetersHearEveryNoteScaledByTheTracksVolume) {
    const MidiSong& song = doc.song;
    for (std::size_t i = 0; i < song.messages.size(); ++i) {
        const MidiEvent& event = *song.messages[i];
        if (event.isSoundingNoteOn()) {
            mixer->NoteOn(event.data1, static_cast<int>(i), -1);
        }
    }
    doc.song.tracks[2]->velocityPercent = 0;
    const auto level = [this](int track) {
        return mixer->levels().level(static_cast<std::size_t>(track));
    };
    EXPECT_EQ(level(1), -100);
    EXPECT_EQ(level(0), 0);
    // A muted track's notes leave its meter dark.
    MixerLevels fresh;
    fresh.Reset(5);
    EXPECT_FALSE(fresh.NoteOn(2, 100, doc.song.tracks[2]->velocityPercent));
}

TEST_F(MixerTest, VolumeAndPlayAlongCommandsActOnTheSelectedTracks) {
    Select({1, 3});
    mixer->MuteSelection();
    EXPECT_THAT(Volumes(), ElementsAre(100, 0, 100, 0, 100));
    EXPECT_EQ(mixer->slider(1).value(), 0);
    mixer->SoloSelection();
    EXPECT_THAT(Volumes(), ElementsAre(0, 100, 0, 100, 0));
    mixer->ResetAllVolumes();
    EXPECT_THAT(Volumes(), ElementsAre(100, 100, 100, 100, 100));

    // Playing along with the melody: silent but on show, the rest at full
    // volume; chosen again, it plays with them.
    doc.song.tracks[1]->flags &= ~MidiTrack::kVisible;
    doc.song.tracks[2]->velocityPercent = 30;
    mixer->PlayAlongWith(1);
    EXPECT_THAT(Volumes(), ElementsAre(100, 0, 100, 100, 100));
    EXPECT_TRUE(doc.song.tracks[1]->visible());
    EXPECT_TRUE(mixer->ContextMenu(1)->actions()[3]->isChecked());
    EXPECT_EQ(resets.back(), false);
    mixer->PlayAlongWith(1);
    EXPECT_THAT(Volumes(), ElementsAre(100, 100, 100, 100, 100));
    EXPECT_FALSE(mixer->ContextMenu(1)->actions()[3]->isChecked());
}

TEST_F(MixerTest, VisibilityCommandsKeysAndTheSelectionReachTheScore) {
    Select({2, 4});
    EXPECT_NE(doc.song.tracks[2]->flags & MidiTrack::kHighlighted, 0) << "the score shows it";
    const int repaintsBefore = repaints;
    mixer->HideSelection();
    EXPECT_THAT(Visible(), ElementsAre(true, true, false, true, false));
    EXPECT_GT(repaints, repaintsBefore);
    EXPECT_FALSE(mixer->visibleBox(2).isChecked());
    mixer->ShowSelectionOnly();
    EXPECT_THAT(Visible(), ElementsAre(false, false, true, false, true));
    mixer->ShowAll();
    EXPECT_THAT(Visible(), ElementsAre(true, true, true, true, true));
    mixer->InvertSelection();
    EXPECT_EQ(mixer->trackList().selectedItems().size(), 3);
    EXPECT_EQ(doc.song.tracks[2]->flags & MidiTrack::kHighlighted, 0);

    Select({3});
    Press(Qt::Key_Backspace);
    EXPECT_FALSE(doc.song.tracks[3]->visible());
    Select({1, 2});
    Press(Qt::Key_Return);  // exactly the selection on show
    EXPECT_THAT(Visible(), ElementsAre(false, true, true, false, false));
    EXPECT_TRUE(mixer->trackList().selectedItems().isEmpty());
    Select({4});
    Press(Qt::Key_Return, Qt::ControlModifier);  // added to those on show
    EXPECT_THAT(Visible(), ElementsAre(false, true, true, false, true));
}

TEST_F(MixerTest, CheckBoxClicksShowOneToggleOrShowARange) {
    mixer->ClickVisibleBox(2, Qt::NoModifier);
    EXPECT_THAT(Visible(), ElementsAre(false, false, true, false, false));
    mixer->ClickVisibleBox(4, Qt::ControlModifier);
    EXPECT_THAT(Visible(), ElementsAre(false, false, true, false, true));
    mixer->ClickVisibleBox(4, Qt::ControlModifier);
    EXPECT_THAT(Visible(), ElementsAre(false, false, true, false, false));
    mixer->ClickVisibleBox(0, Qt::ShiftModifier);  // from track 4, focused before, to 0
    EXPECT_THAT(Visible(), ElementsAre(true, true, true, true, true));
    EXPECT_EQ(resets.back(), false);
}

TEST_F(MixerTest, DeletingRefusesTrackZeroAsksOnceAndDeletesFromTheLast) {
    MidiTrack* kept = doc.song.tracks[1].get();
    Select({0, 2, 4});
    playing = true;
    EXPECT_FALSE(mixer->ContextMenu(-1)->actions().at(9)->isEnabled()) << "not while playing";
    playing = false;
    player.playing = true;  // the document stops and restarts the player itself
    mixer->DeleteTracks();
    EXPECT_THAT(script.asked,
                ElementsAre("Track Delete | Track 0 cannot be deleted",
                            "Track Delete | Deleting tracks 2, 4\nAre you sure? this operation "
                            "cannot be Undo"));
    ASSERT_EQ(doc.song.tracks.size(), 3u);
    EXPECT_EQ(doc.song.tracks[1].get(), kept);
    EXPECT_EQ(mixer->trackList().count(), 3);
    EXPECT_EQ(resets.back(), true);
    EXPECT_EQ(host.calls.back(), "play from here");

    script.answer = false;
    Select({1});
    Press(Qt::Key_Delete);
    EXPECT_EQ(script.asked.back(),
              "Track Delete | Deleting track 1\nAre you sure? this operation cannot be Undo");
    EXPECT_EQ(doc.song.tracks.size(), 3u);
}

TEST_F(MixerTest, TrackPropertiesOpenForEachSelectedTrackEvenWhenOneMoves) {
    MidiTrack* second = doc.song.tracks[3].get();
    Select({2, 3});
    moveOnProperties = true;  // track 2 moves to 3, so the other one is now 2
    mixer->ShowTrackProperties();
    EXPECT_THAT(propertiesOpened, ElementsAre(2, 2));
    EXPECT_EQ(doc.song.tracks[3].get(), second);
}

TEST_F(MixerTest, ManyTracksScrollAndTheRowControlsFollowTheTopRow) {
    MakeSong(200);
    doc.song.tracks[150]->velocityPercent = 77;
    mixer->resize(343, 4000);
    mixer->ResetDisplay(true);
    mixer->resize(343, 4000);
    EXPECT_EQ(mixer->RowsInUse(), CMonMixer::kMaxRows);
    mixer->resize(343, 200);
    EXPECT_LT(mixer->RowsInUse(), 20);
    mixer->trackList().doItemsLayout();  // as the next paint would
    mixer->trackList().verticalScrollBar()->setValue(150);
    ASSERT_EQ(mixer->trackList().TopRow(), 150);
    EXPECT_EQ(mixer->slider(0).value(), 77);
    mixer->ClickVisibleBox(0, Qt::NoModifier);
    EXPECT_TRUE(doc.song.tracks[150]->visible());
    EXPECT_FALSE(doc.song.tracks[149]->visible());
}

}  // namespace
}  // namespace tavrino::test
