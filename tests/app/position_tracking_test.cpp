// The main window following a player that plays on the fake stream: played
// notes, the monitors' feed, the position pane, page turns and the loop
// between the marks.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "app/frame_rig.h"
#include "document/test_songs.h"

namespace tavrino::test {
namespace {

// Division 480: the player's step is 60 ticks, one buffer each.
struct TrackingRig : FrameRig {
    TrackingRig() {
        MidiTrack& melody = AddTrack(song);
        AddNote(melody, 0, 60, 0, 480);
        AddNote(melody, 0, 62, 480, 960);
        AddNote(melody, 0, 64, 960, 1440);
        AddNote(melody, 0, 65, 1440, 1920);
        MidiTrack& drums = AddTrack(song);
        AddNote(drums, 9, 36, 0, 240);
        FinishSong(song, 480);
        EXPECT_TRUE(Open(song));
    }
    const MidiSong& loaded() { return frame->doc().song; }
    int IndexOf(int key, bool noteOn) {
        for (std::size_t i = 0; i < loaded().messages.size(); ++i) {
            const MidiEvent& e = *loaded().messages[i];
            if (e.data1 == key && (noteOn ? e.isSoundingNoteOn() : e.isNoteEnd())) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    MidiSong song;
};

TEST(PositionTracking, PlayedNotesArePaintedAndFedToTheMonitors) {
    TrackingRig rig;
    rig.frame->actions()[ID_VIEW_MIXER]->trigger();
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(10);  // to tick 600

    const int c = rig.IndexOf(60, true);
    const int d = rig.IndexOf(62, true);
    const int drum = rig.IndexOf(36, true);
    EXPECT_EQ(rig.view->playedNotes, (std::vector<int>{c, d}));

    const auto& mixer = rig.Monitor(kMixerMonitor)->log;
    const auto& piano = rig.Monitor(kPianoMonitor)->log;
    const auto logged = [](const std::vector<std::string>& log, const std::string& entry) {
        return std::find(log.begin(), log.end(), entry) != log.end();
    };
    EXPECT_TRUE(logged(mixer, "on 36 #" + std::to_string(drum))) << "the mixer hears drums";
    EXPECT_FALSE(logged(piano, "on 36 #" + std::to_string(drum)));
    EXPECT_TRUE(logged(piano, "on 60 #" + std::to_string(c)));
    EXPECT_TRUE(logged(piano, "off 60 #" + std::to_string(rig.IndexOf(60, false))));
    EXPECT_TRUE(logged(piano, "on 62 #" + std::to_string(d)));
}

TEST(PositionTracking, HiddenTracksAreNeitherPaintedNorHeardButByTheMixer) {
    TrackingRig rig;
    rig.frame->doc().song.tracks[0]->flags &= ~MidiTrack::kVisible;
    rig.frame->actions()[ID_VIEW_MIXER]->trigger();
    rig.frame->actions()[ID_VIEW_DIATONIC]->trigger();
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(4);
    EXPECT_TRUE(rig.view->playedNotes.empty());
    const auto& harmonica = rig.Monitor(kDiatonicMonitor)->log;
    EXPECT_TRUE(std::none_of(harmonica.begin(), harmonica.end(),
                             [](const std::string& e) { return e.starts_with("on"); }));
    const auto& mixer = rig.Monitor(kMixerMonitor)->log;
    EXPECT_NE(
        std::find(mixer.begin(), mixer.end(), "on 60 #" + std::to_string(rig.IndexOf(60, true))),
        mixer.end());
}

TEST(PositionTracking, ThePositionPaneAndBandFollowTheTickMarkers) {
    TrackingRig rig;
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(9);  // ticks 0 to 480 have been reached
    EXPECT_EQ(rig.frame->panes().positionText(), QString::asprintf("%10d", 480));
    ASSERT_FALSE(rig.view->bands.empty());
    EXPECT_EQ(rig.view->bands.back(), 480);
    EXPECT_EQ(rig.view->scrollPosition, 1);
    EXPECT_EQ(rig.player.position.lastShown, 480);
}

TEST(PositionTracking, AMessagePostedBeforeAStopShowsPositionZero) {
    TrackingRig rig;
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.stream.PlayBuffer();
    rig.stream.PlayBuffer();  // messages posted, not yet handled
    rig.player.Stop(false);
    rig.HandlePosted();
    EXPECT_EQ(rig.frame->panes().positionText(), QString::asprintf("%10d", 0));
    EXPECT_TRUE(rig.view->playedNotes.empty());
}

TEST(PositionTracking, TheViewTurnsItsPageTwoQuartersBeforeItsEnd) {
    TrackingRig rig;
    rig.view->lastTick = 1440;  // the page turns after tick 480
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    const int before = rig.view->invalidations;
    rig.PlayBuffers(8);  // to tick 420
    EXPECT_EQ(rig.view->invalidations, before);
    rig.PlayBuffers(3);  // past 480
    EXPECT_GT(rig.view->invalidations, before);
}

TEST(PositionTracking, PlayLoopsBetweenTheMarks) {
    TrackingRig rig;
    rig.frame->doc().beginMark = 480;
    rig.frame->doc().endMark = 960;
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    EXPECT_EQ(rig.player.position.current, 480) << "the Play command starts at the mark";
    rig.PlayBuffers(9);  // from 480 past 960: back to 480
    EXPECT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 480);
}

TEST(PositionTracking, SpaceStartsWhereTheMusicStandsNotAtTheMark) {
    TrackingRig rig;
    rig.frame->doc().beginMark = 960;
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QCoreApplication::sendEvent(rig.frame.get(), &space);
    ASSERT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 0);
    QCoreApplication::sendEvent(rig.frame.get(), &space);
    EXPECT_FALSE(rig.player.IsPlaying());
}

TEST(PositionTracking, EscapeClearsTheMarksAndTheHighlightedTracks) {
    TrackingRig rig;
    rig.frame->actions()[ID_VIEW_PIANO]->trigger();
    CTavrinoDoc& doc = rig.frame->doc();
    doc.beginMark = 480;
    doc.endMark = 960;
    doc.song.tracks[1]->flags |= MidiTrack::kHighlighted;
    rig.Monitor(kPianoMonitor)->log.clear();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(rig.frame.get(), &escape);
    EXPECT_EQ(doc.beginMark, kNoMark);
    EXPECT_EQ(doc.endMark, kNoMark);
    EXPECT_EQ(doc.song.tracks[1]->flags & MidiTrack::kHighlighted, 0);
    EXPECT_TRUE(doc.song.tracks[1]->visible());
    EXPECT_EQ(rig.Monitor(kPianoMonitor)->log, (std::vector<std::string>{"reset 0"}));
}

TEST(PositionTracking, TheSongsEndRewindsOrRepeats) {
    TrackingRig rig;
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(1000);
    EXPECT_FALSE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 0);

    rig.frame->actions()[ID_REPEAT_ONE]->trigger();
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.PlayBuffers(1000);
    EXPECT_TRUE(rig.player.IsPlaying()) << "the song plays again";
}

TEST(PositionTracking, TheTempoMessageShowsTheBeatsPerMinute) {
    TrackingRig rig;
    rig.frame->actions()[ID_PLAYER_PLAY]->trigger();
    rig.HandlePosted();
    EXPECT_EQ(rig.frame->panes().beatsPerMinuteText(), " 120 bpm");
}

}  // namespace
}  // namespace tavrino::test
