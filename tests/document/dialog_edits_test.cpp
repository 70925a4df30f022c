// The document's edits behind the event-editing dialogs: tempo changes,
// time signatures, track names and the track order.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "document/document_fakes.h"
#include "document/tavrino_doc.h"
#include "document/test_songs.h"
#include "song/song_invariants.h"

namespace tavrino {
namespace {

using ::testing::ElementsAre;

class DialogEditsTest : public ::testing::Test {
protected:
    // A conductor track at 120 bpm and three melody tracks, four 4/4 bars of
    // 1920 ticks.
    void SetUp() override {
        test::AddTempo(test::AddTrack(doc.song), 0, 500000);
        for (int i = 1; i <= 3; ++i) {
            test::AddNote(test::AddTrack(doc.song), 0, 60 + i, 0, 4 * 1920);
        }
        test::FinishSong(doc.song, 480);
    }

    void ClearCalls() {
        host.calls.clear();
        player.calls.clear();
    }

    std::vector<std::int32_t> Tempos() const {
        std::vector<std::int32_t> values;
        for (const TempoEvent* tempo : doc.song.tempos) {
            values.push_back(tempo->value());
        }
        return values;
    }

    std::vector<std::int32_t> BarStarts() const {
        std::vector<std::int32_t> starts;
        for (std::int64_t i = 0; i < doc.song.bars.size(); ++i) {
            starts.push_back(doc.song.bars[i].start);
        }
        return starts;
    }

    test::FakeHost host;
    test::FakePlayer player;
    CTavrinoDoc doc{host, player};
};

TEST_F(DialogEditsTest, TempoChangesReachTheSongTheModifiedFlagAndThePlayer) {
    TempoEvent& first = *doc.song.tempos.front();
    ClearCalls();
    ASSERT_EQ(doc.SetTempoChange(first, 90), 0);
    EXPECT_EQ(first.value(), 666666);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_THAT(player.calls, ElementsAre("tempo 666666"));
    EXPECT_TRUE(host.Said("tempo"));

    // The player takes the tempo in force where it plays.
    player.playTick = 2000;
    ClearCalls();
    ASSERT_EQ(doc.AddTempoChange(1920, 60), 0);
    EXPECT_THAT(Tempos(), ElementsAre(666666, 1000000));
    EXPECT_THAT(player.calls, ElementsAre("tempo 1000000"));
    EXPECT_TRUE(test::SongIsConsistent(doc.song));

    // Deleting while playing: stopped, the tempo set, then played on.
    player.playing = true;
    ClearCalls();
    ASSERT_EQ(doc.DeleteTempoChange(*doc.song.tempos.back()), 0);
    EXPECT_THAT(Tempos(), ElementsAre(666666));
    EXPECT_THAT(player.calls, ElementsAre("stop", "tempo 666666"));
    EXPECT_EQ(host.calls.back(), "play from here");
}

TEST_F(DialogEditsTest, TemposThatATempoEventCannotHoldAreRefusedAndChangeNothing) {
    TempoEvent& first = *doc.song.tempos.front();
    for (const double bpm : {0.0, -120.0, 3.57, 60000001.0, std::nan("")}) {
        EXPECT_EQ(doc.SetTempoChange(first, bpm), kRefused) << bpm;
        EXPECT_EQ(doc.AddTempoChange(0, bpm), kRefused) << bpm;
    }
    EXPECT_THAT(Tempos(), ElementsAre(500000));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(player.calls.empty());

    // The extremes taken still fit the tempo's three bytes.
    ASSERT_EQ(doc.SetTempoChange(first, kSlowestBeatsPerMinute), 0);
    EXPECT_EQ(first.value(), 16759776);
    ASSERT_EQ(doc.SetTempoChange(first, kFastestBeatsPerMinute), 0);
    EXPECT_EQ(first.value(), 1);
}

TEST_F(DialogEditsTest, TimeSignaturesEnterTheSongsListAndTheBarsFollow) {
    ASSERT_THAT(BarStarts(), ElementsAre(0, 1920, 3840, 5760));
    // 3/4 from the middle of bar 1: that bar is cut short.
    ASSERT_EQ(doc.SetTimeSignature(960, 3, 4), 0);
    ASSERT_EQ(doc.song.timeSignatures.size(), 2u);
    EXPECT_EQ(doc.song.timeSignatures[1]->time, 960);
    EXPECT_EQ(doc.song.TimeSignatureAt(1000).numerator, 3);
    EXPECT_EQ(BarStarts().at(1), 960);
    EXPECT_EQ(BarStarts().at(2), 960 + 1440);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(host.Said("repaint"));
    EXPECT_TRUE(test::SongIsConsistent(doc.song));

    // A second one at the same tick changes the first instead of doubling it.
    ASSERT_EQ(doc.SetTimeSignature(960, 6, 8), 0);
    ASSERT_EQ(doc.song.timeSignatures.size(), 2u);
    EXPECT_EQ(doc.song.TimeSignatureAt(1000).denominator, 8);

    for (const auto& [numerator, denominator] :
         {std::pair{0, 4}, std::pair{100, 4}, std::pair{3, 3}, std::pair{3, 128}}) {
        EXPECT_EQ(doc.SetTimeSignature(0, numerator, denominator), kRefused);
    }
    EXPECT_EQ(doc.DeleteTimeSignature(*doc.song.timeSignatures.front()), kRefused);
    ASSERT_EQ(doc.DeleteTimeSignature(*doc.song.timeSignatures.back()), 0);
    EXPECT_THAT(BarStarts(), ElementsAre(0, 1920, 3840, 5760));
}

TEST_F(DialogEditsTest, RenamingWritesANameEventWithItsTerminatorOnlyWhenTheBytesChange) {
    MidiTrack& track = *doc.song.tracks[2];
    ASSERT_EQ(doc.RenameTrack(2, "Lead"), 0);
    EXPECT_EQ(track.name, "Lead");
    const MidiEvent& name = *track.events.front();
    ASSERT_EQ(name.kind(), EventKind::TrackName);
    EXPECT_EQ(name.time, 0);
    EXPECT_EQ(name.length, 5u);
    EXPECT_EQ(name.data[4], 0);
    EXPECT_TRUE(test::SongIsConsistent(doc.song));

    ASSERT_EQ(doc.RenameTrack(2, "Solo"), 0);
    EXPECT_EQ(std::string(track.events.front()->text()), "Solo");
    EXPECT_EQ(std::count_if(track.events.begin(), track.events.end(),
                            [](const auto& e) { return e->kind() == EventKind::TrackName; }),
              1);

    doc.SetModified(0, kOtherEdit);
    const std::string latin1 = "Gr\xFC\xDF";  // not UTF-8: kept byte for byte
    track.name = latin1;
    EXPECT_EQ(doc.RenameTrack(2, latin1), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.RenameTrack(9, "x"), kRefused);
}

TEST_F(DialogEditsTest, MovingATrackShiftsTheOthersAndKeepsTrackZeroFirst) {
    std::vector<MidiTrack*> before;
    for (const auto& track : doc.song.tracks) {
        before.push_back(track.get());
    }
    ASSERT_EQ(doc.MoveTrack(3, 1), 0);
    EXPECT_EQ(doc.song.tracks[1].get(), before[3]);
    EXPECT_EQ(doc.song.tracks[2].get(), before[1]);
    EXPECT_EQ(doc.song.tracks[3].get(), before[2]);
    EXPECT_TRUE(host.Said("reset monitors new"));
    EXPECT_TRUE(doc.IsModified());

    for (const auto& [from, to] :
         {std::pair{0, 2}, std::pair{2, 0}, std::pair{1, 4}, std::pair{-1, 1}}) {
        EXPECT_EQ(doc.MoveTrack(from, to), kRefused);
    }
    EXPECT_EQ(doc.song.tracks[0].get(), before[0]);
}

}  // namespace
}  // namespace tavrino
