// The count-in before the song and the edit-mode click on every beat.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "player/player_test_support.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTrack;
using test::FinishSong;
using test::PlayerRig;
using test::TicksOf;
using ::testing::ElementsAre;

// Notes on every quarter for eight bars of the given meter.
void MeterSong(MidiSong& song, int numerator, int denominator, std::int16_t division) {
    MidiTrack& track = AddTrack(song);
    test::AddEvent(track, 0, std::make_unique<TimeSignatureEvent>(numerator, denominator, 24, 8));
    for (int beat = 0; beat < 32; ++beat) {
        AddNote(track, 0, 60, beat * division, beat * division + division / 2);
    }
    FinishSong(song, division);
}

// The stream tick of the first record after the count-in's clicks.
std::int64_t FirstSongRecord(const test::FakeMidiStream& stream) {
    for (const test::PlayedRecord& played : stream.played) {
        if (played.record.event != kClickOn && played.record.event != kClickOff) {
            return played.tick;
        }
    }
    return -1;
}

TEST(CountIn, In3_4ThreeClicksThenTheSongFourBeatsAfterPlayBegins) {
    PlayerRig rig;
    MeterSong(rig.song, 3, 4, 480);
    ASSERT_EQ(rig.Start(), Player::kOk);

    ASSERT_EQ(rig.player.Play(1440, true), Player::kOk);
    rig.stream.PlayBuffer();
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_POSITION), 0) << "no position during the count-in";
    EXPECT_THAT(TicksOf(rig.stream, kClickOn), ElementsAre(480, 960, 1440));
    EXPECT_THAT(TicksOf(rig.stream, kClickOff), ElementsAre(540, 1020, 1500));

    rig.stream.PlayBuffer();
    EXPECT_EQ(FirstSongRecord(rig.stream), 4 * 480);
    EXPECT_GT(rig.notifier.Count(WM_PLAYER_POSITION), 0);
    EXPECT_EQ(rig.player.position.offset, 4 * 480 - 1440);
}

TEST(CountIn, In6_8ClicksSixEighths) {
    PlayerRig rig;
    MeterSong(rig.song, 6, 8, 480);
    ASSERT_EQ(rig.Start(), Player::kOk);

    rig.player.Play(0, true);
    rig.stream.PlayAll(2);
    EXPECT_THAT(TicksOf(rig.stream, kClickOn), ElementsAre(240, 480, 720, 960, 1200, 1440));
    EXPECT_EQ(FirstSongRecord(rig.stream), 7 * 240);
}

// Wherever play starts, the clicks fall on the song's beats, the last one a
// beat before the beat the song starts into, and the start tick plays
// (beats + 1) beats after play begins.
TEST(CountIn, ClicksFallOnTheSongsBeatsFromAnyStart) {
    for (const std::int32_t start : {0, 1, 100, 239, 240, 241, 479, 960 + 300, 5000}) {
        SCOPED_TRACE(start);
        PlayerRig rig;
        MeterSong(rig.song, 4, 4, 480);
        ASSERT_EQ(rig.Start(), Player::kOk);
        rig.player.Play(start, true);
        rig.stream.PlayAll(2);

        const std::int64_t offset = rig.player.position.offset;
        EXPECT_EQ(offset, 5 * 480 - start);
        EXPECT_EQ(FirstSongRecord(rig.stream), offset + test::TickMarkers(rig.stream).front());
        const std::vector<std::int64_t> clicks = TicksOf(rig.stream, kClickOn);
        ASSERT_EQ(clicks.size(), 4u);
        for (const std::int64_t click : clicks) {
            EXPECT_EQ((click - offset) % 480, 0) << "click at stream tick " << click;
        }
        const std::int64_t songBeat =
            start % 480 < 240 ? start - start % 480 : start - start % 480 + 480;
        EXPECT_EQ(clicks.back() - offset, songBeat - 480);
    }
}

// In edit mode the stream runs on past the song with a click on the beats
// the step grid visits.
std::vector<std::int64_t> EditModeClicks(std::int16_t division, std::int32_t start, int buffers) {
    PlayerRig rig(division);
    AddNote(AddTrack(rig.song), 0, 60, 0, division / 8);
    FinishSong(rig.song, division);
    rig.Start();
    rig.player.SetEditMode(true);
    EXPECT_EQ(rig.player.Play(start, false), Player::kOk);
    rig.stream.PlayAll(buffers);
    EXPECT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 0);
    std::vector<std::int64_t> songTicks;
    for (const std::int64_t tick : TicksOf(rig.stream, kClickOn)) {
        songTicks.push_back(tick - rig.player.position.offset);
    }
    rig.player.Stop();
    EXPECT_EQ(rig.player.state(), PlayerState::kStopped);
    return songTicks;
}

TEST(EditModeMetronome, ClicksOnEveryBeatPastTheSongsEnd) {
    EXPECT_THAT(EditModeClicks(96, 960, 40), ElementsAre(960, 1056, 1152, 1248, 1344));
}

TEST(EditModeMetronome, ClicksOnlyOnBeatsTheStepGridReaches) {
    // Division 100 has a step of 12: beats fall on visited ticks every 300.
    EXPECT_THAT(EditModeClicks(100, 0, 110), ElementsAre(0, 300, 600, 900, 1200));
}

}  // namespace
}  // namespace tavrino
