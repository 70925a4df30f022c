// The player on a fake stream: what it queues, sends at once and posts.

#include "player/player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "document/song_edits.h"
#include "player/player_test_support.h"
#include "player/position_marker.h"

namespace tavrino {
namespace {

using test::AddController;
using test::AddEvent;
using test::AddNote;
using test::AddTempo;
using test::AddTrack;
using test::FinishSong;
using test::PlayerRig;
using test::Sound;
using test::Sounds;
using test::TickMarkers;
using ::testing::ElementsAre;

// Every channel message and tempo change of the song, in list order, with its
// tick: what the stream must play from tick 0, once each.
std::vector<Sound> SongSounds(const MidiSong& song) {
    std::vector<Sound> sounds;
    for (const MidiEvent* event : song.messages) {
        if (IsChannelKind(event->kind())) {
            sounds.push_back({event->time, EventWord(*event)});
        }
    }
    return sounds;
}

// Each event marker names the event the stream plays next.
void ExpectEventMarkersNameTheirEvents(const test::FakeMidiStream& stream, const MidiSong& song) {
    for (std::size_t i = 0; i + 1 < stream.played.size(); ++i) {
        const StreamRecord& record = stream.played[i].record;
        const std::uint32_t parameter = MarkerParameter(record);
        if (IsMarkerType(record.event) && !PositionMarker::IsTick(parameter)) {
            const MidiEvent& named = *song.messages[PositionMarker::Value(parameter)];
            EXPECT_EQ(stream.played[i + 1].record.event, EventWord(named)) << "record " << i;
        }
    }
}

// A song of one note from tick 0 to `end`, on an open player.
void StartOneNoteSong(PlayerRig& rig, std::int32_t end) {
    AddNote(AddTrack(rig.song), 0, 60, 0, end);
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);
}

TEST(Player, PlaysEverySongEventAtItsTickThenStopsAndSaysSo) {
    PlayerRig rig;
    MidiTrack& track = AddTrack(rig.song);
    AddController(track, 0, 7, 100, 0);
    for (int i = 0; i < 16; ++i) {
        AddNote(track, 0, 60 + i, i * 240, i * 240 + 200);
    }
    AddTempo(track, 1000, 400000);
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);

    ASSERT_EQ(rig.player.Play(-1, false), Player::kOk);
    EXPECT_EQ(rig.stream.division, 480);
    // The song's only tempo change comes at tick 1000: it sets the pace from
    // the start.
    EXPECT_EQ(rig.stream.tempo, 400000u);
    rig.stream.PlayAll();

    EXPECT_EQ(Sounds(rig.stream), SongSounds(rig.song));
    ExpectEventMarkersNameTheirEvents(rig.stream, rig.song);
    EXPECT_EQ(rig.player.state(), PlayerState::kStopped);
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 1);
    EXPECT_EQ(rig.stream.queued(), 0u);
    EXPECT_EQ(rig.player.position.displayIndex, -1);
    const auto tempoRecord = std::find_if(rig.stream.played.begin(), rig.stream.played.end(),
                                          [](const test::PlayedRecord& played) {
                                              return RecordType(played.record.event) == kTempoType;
                                          });
    ASSERT_NE(tempoRecord, rig.stream.played.end());
    EXPECT_EQ(tempoRecord->tick, 1000);
    EXPECT_EQ(RecordParameter(tempoRecord->record.event), 400000u);
}

TEST(Player, PostsTheTempoInForceAtTheStartAndChasesTheSettingsBeforeIt) {
    PlayerRig rig;
    MidiTrack& track = AddTrack(rig.song);
    AddEvent(track, 0, CreateChannelEvent(0, 0xC2, 40, 0));
    AddController(track, 2, 10, 30, 100);
    AddNote(track, 2, 60, 200, 300);
    AddEvent(track, 300, CreateChannelEvent(300, 0xE2, 0, 80));
    AddTempo(track, 400, 600000);
    AddNote(track, 2, 62, 1000, 1200);
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);

    rig.player.Play(1000, false);
    EXPECT_THAT(rig.stream.sent,
                ElementsAre(ShortMessageWord(0xC2, 40, 0), ShortMessageWord(0xB2, 10, 30)));
    ASSERT_EQ(rig.notifier.Count(WM_PLAYER_TEMPO), 1);
    EXPECT_EQ(rig.notifier.posted.front().lParam, 600000);
    EXPECT_EQ(rig.stream.tempo, 600000u);
    rig.stream.PlayAll();
    EXPECT_EQ(Sounds(rig.stream).front(), (Sound{0, ShortMessageWord(0x92, 62, 100)}));
}

TEST(Player, ScalesNoteOnVelocitiesByTheTracksVolumeAndMasksDataBytes) {
    PlayerRig rig;
    MidiTrack& loud = AddTrack(rig.song);
    MidiTrack& soft = AddTrack(rig.song);
    AddNote(loud, 0, 60, 0, 100, 100);
    AddNote(soft, 1, 60, 0, 100, 100);
    AddEvent(soft, 50, CreateChannelEvent(50, 0xB1, 0x85, 0xFF));
    FinishSong(rig.song);
    loud.velocityPercent = 150;
    soft.velocityPercent = 50;
    ASSERT_EQ(rig.Start(), Player::kOk);

    rig.player.Play(0, false);
    rig.stream.PlayAll();
    const std::vector<Sound> sounds = Sounds(rig.stream);
    EXPECT_THAT(sounds, ::testing::Contains(Sound{0, ShortMessageWord(0x90, 60, 127)}));
    EXPECT_THAT(sounds, ::testing::Contains(Sound{0, ShortMessageWord(0x91, 60, 50)}));
    EXPECT_THAT(sounds, ::testing::Contains(Sound{50, 0x7F05B1u}));
    // The note-offs keep their velocity.
    EXPECT_THAT(sounds, ::testing::Contains(Sound{100, ShortMessageWord(0x80, 60, 64)}));
}

TEST(Player, StepIsAnEighthOfTheDivisionAndMarksTheTickGrid) {
    for (const auto& [division, step] : {std::pair{96, 12}, {480, 60}, {16, 2}, {15, 1}, {1, 1}}) {
        SCOPED_TRACE(division);
        PlayerRig rig(division);
        AddNote(AddTrack(rig.song), 0, 60, 0, 4 * division + 5);
        FinishSong(rig.song, static_cast<std::int16_t>(division));
        ASSERT_EQ(rig.Start(), Player::kOk);
        EXPECT_EQ(rig.player.step(), step);

        rig.player.Play(0, false);
        rig.stream.PlayAll();
        const std::vector<std::int64_t> markers = TickMarkers(rig.stream);
        ASSERT_FALSE(markers.empty());
        for (std::size_t i = 0; i < markers.size(); ++i) {
            EXPECT_EQ(markers[i], static_cast<std::int64_t>(i) * step);
        }
        EXPECT_GE(markers.back() + step, 4 * division + 5);
    }
}

TEST(Player, TempoPercentSetsTheStreamsSpeedAndGivesTheBeatsPerMinute) {
    PlayerRig rig;
    StartOneNoteSong(rig, 480);
    rig.player.SetTempo(500000);

    EXPECT_EQ(rig.player.TempoPercent(200), 240);
    EXPECT_EQ(rig.stream.percent, 200);
    EXPECT_EQ(rig.player.TempoPercent(-1), 240);
    EXPECT_EQ(rig.player.TempoPercent(0), 240) << "a speed of 0 is refused";
    EXPECT_EQ(rig.player.TempoPercent(), 200);
    rig.player.SetTempo(0);
    EXPECT_EQ(rig.player.TempoPercent(-1), 0);
}

// A cluster far denser than one buffer holds: every record is played, in
// order, and what follows keeps its time.
TEST(Player, KeepsEveryRecordOfAStepThatOverflowsItsBuffer) {
    PlayerRig rig;
    MidiTrack& track = AddTrack(rig.song);
    for (int i = 0; i < 1500; ++i) {
        AddController(track, i % 16, 1 + i % 100, i % 128, 480);
    }
    AddNote(track, 0, 60, 481, 960);
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);

    rig.player.Play(0, false);
    rig.stream.PlayAll();
    EXPECT_EQ(Sounds(rig.stream), SongSounds(rig.song));
    ExpectEventMarkersNameTheirEvents(rig.stream, rig.song);
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 1);
}

TEST(Player, StartAfterTheLastEventEndsAtOnceWithoutSound) {
    PlayerRig rig;
    StartOneNoteSong(rig, 480);

    EXPECT_EQ(rig.player.Play(5000, false), Player::kOk);
    EXPECT_EQ(rig.player.state(), PlayerState::kStopped);
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 1);
    EXPECT_EQ(rig.stream.queued(), 0u);
    EXPECT_TRUE(rig.stream.played.empty());
}

TEST(Player, SeekWhilePlayingRestartsThereWithoutEnding) {
    PlayerRig rig;
    StartOneNoteSong(rig, 4800);
    rig.player.Play(0, true);
    rig.stream.PlayBuffer();
    rig.stream.played.clear();

    rig.player.Seek(2400);
    EXPECT_TRUE(rig.player.IsPlaying());
    EXPECT_EQ(rig.player.position.current, 2400);
    EXPECT_EQ(rig.player.position.lastShown, 2400);
    EXPECT_EQ(rig.player.position.offset, -2400) << "no count-in";
    rig.stream.PlayBuffer();
    ASSERT_FALSE(rig.stream.played.empty());
    EXPECT_EQ(rig.stream.played.front().tick, 0);
    EXPECT_EQ(TickMarkers(rig.stream).front(), 2400);
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 0);
}

TEST(Player, ARememberedDeviceThatIsGoneFallsBackToTheDefault) {
    PlayerRig rig;
    FinishSong(rig.song);
    rig.settings.midiDevice = 7;
    ASSERT_EQ(rig.Start(), Player::kOk);
    EXPECT_EQ(rig.stream.openedDevice, -1);
    EXPECT_EQ(rig.settings.midiDevice, -1);

    PlayerRig second;
    FinishSong(second.song);
    second.settings.midiDevice = 1;
    ASSERT_EQ(second.Start(), Player::kOk);
    EXPECT_EQ(second.stream.openedDevice, 1);
}

TEST(Player, ReportsMissingAndUnopenableDevices) {
    PlayerRig none;
    none.stream.devices = 0;
    EXPECT_EQ(none.player.Init(none.song, none.notifier), Player::kNoDevice);

    PlayerRig busy;
    AddNote(AddTrack(busy.song), 0, 60, 0, 480);
    FinishSong(busy.song);
    busy.stream.opens = false;
    ASSERT_EQ(busy.player.Init(busy.song, busy.notifier), Player::kOk);
    EXPECT_EQ(busy.player.Open(), Player::kCannotOpen);
    EXPECT_EQ(busy.player.Play(0, false), Player::kNotOpened);
    busy.stream.opens = true;
    EXPECT_EQ(busy.player.Play(0, false), Player::kOk) << "a later play opens the device";
    EXPECT_EQ(busy.player.Play(0, false), Player::kAlreadyPlaying);
}

TEST(Player, ResetsEveryChannelWhenTheDivisionIsSet) {
    PlayerRig rig;
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);
    rig.player.SetDivision(96);
    ASSERT_EQ(rig.stream.sent.size(), 16u * 14);
    const std::vector<std::uint32_t> first(rig.stream.sent.begin(), rig.stream.sent.begin() + 14);
    EXPECT_THAT(first, ElementsAre(0x0000C0u, 0x7F07B0u, 0x400AB0u, 0x0078B0u, 0x0079B0u, 0x4000E0u,
                                   0x0065B0u, 0x0064B0u, 0x0206B0u, 0x0065B0u, 0x0264B0u, 0x4006B0u,
                                   0x7F65B0u, 0x7F64B0u));
    EXPECT_EQ(rig.stream.sent.back(), 0x7F64BFu);
    EXPECT_EQ(rig.player.step(), 12);
}

// The document inserts an event while playing under a pause: an event behind
// the walk is not played, one ahead of it is, and nothing plays twice.
TEST(Player, AnEventInsertedWhilePausedNeitherRepeatsNorSkipsOthers) {
    for (const std::int32_t insertAt : {10, 700}) {
        SCOPED_TRACE(insertAt);
        PlayerRig rig;
        MidiTrack& track = AddTrack(rig.song);
        for (int i = 0; i < 8; ++i) {
            AddNote(track, 0, 60 + i, i * 120, i * 120 + 100);
        }
        FinishSong(rig.song);
        ASSERT_EQ(rig.Start(), Player::kOk);
        rig.player.Play(0, false);
        rig.stream.PlayBuffer();
        rig.player.position.displayIndex = 2;
        const MidiEvent* shown = rig.song.messages[2];

        rig.player.Pause();
        EXPECT_FALSE(rig.player.IsPlaying());
        ASSERT_EQ(InsertEvent(rig.song, insertAt, 0, CreateChannelEvent(insertAt, 0x90, 90, 90)),
                  0);
        rig.player.Resume();
        EXPECT_EQ(rig.song.messages[rig.player.position.displayIndex], shown);
        rig.stream.PlayAll();

        std::vector<Sound> expected = SongSounds(rig.song);
        if (insertAt < 120) {
            std::erase(expected, Sound{insertAt, ShortMessageWord(0x90, 90, 90)});
        }
        EXPECT_EQ(Sounds(rig.stream), expected);
    }
}

// The document pauses the player to insert an event; the song's last
// buffers may come back meanwhile, and play ends once resumed.
TEST(Player, ASongWhoseEndComesBackWhilePausedEndsOnResume) {
    for (const std::int32_t end : {50, 100, 500}) {
        SCOPED_TRACE(end);
        PlayerRig rig;
        StartOneNoteSong(rig, end);
        rig.player.Play(0, false);
        rig.player.Pause();
        rig.stream.PlayAll();
        rig.player.Resume();
        rig.stream.PlayAll();

        EXPECT_EQ(rig.player.state(), PlayerState::kStopped);
        EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 1);
        EXPECT_EQ(Sounds(rig.stream), SongSounds(rig.song));
    }
}

TEST(Player, StopsAndSaysSoWhenTheDeviceStopsTakingBuffers) {
    PlayerRig rig;
    StartOneNoteSong(rig, 4800);
    rig.player.Play(0, false);
    rig.stream.failQueue = true;
    rig.stream.PlayAll();

    EXPECT_EQ(rig.player.state(), PlayerState::kStopped);
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 1);
    EXPECT_EQ(rig.player.LastStreamError(), MidiStream::kDeviceFailed);
    EXPECT_FALSE(rig.notifier.debug.empty());
}

TEST(Player, CountsPositionMessagesUntilStopped) {
    PlayerRig rig;
    StartOneNoteSong(rig, 4800);
    rig.player.Play(0, false);
    rig.stream.PlayBuffer();
    // Tick 0 carries a tick marker and an event marker.
    ASSERT_EQ(rig.notifier.Count(WM_PLAYER_POSITION), 2);
    EXPECT_EQ(rig.notifier.posted.back().wParam, MOM_POSITIONCB);
    EXPECT_EQ(rig.notifier.posted.back().lParam, 0);
    EXPECT_TRUE(rig.player.TakeNotification());
    rig.stream.PlayBuffer();
    rig.player.Stop();
    EXPECT_FALSE(rig.player.TakeNotification()) << "posted before the stop";
    EXPECT_EQ(rig.notifier.Count(WM_PLAYER_ENDED), 0);
}

TEST(Player, WarnsWhenTheStreamKeepsItsBuffersAfterAStop) {
    class KeepingStream : public test::FakeMidiStream {
    public:
        void Stop() override { running = false; }
    };
    KeepingStream stream;
    Settings settings;
    test::FakeNotifier notifier;
    MidiSong song;
    AddNote(AddTrack(song), 0, 60, 0, 4800);
    FinishSong(song);
    Player player(stream, settings);
    player.SetStopTimeout(std::chrono::milliseconds(20));
    player.Init(song, notifier);
    player.Play(0, false);
    player.Stop();
    EXPECT_THAT(notifier.warnings,
                ElementsAre("Tavrino! Warning: Player Stop Timeout! hdrinqueue:2 "));
    EXPECT_EQ(player.state(), PlayerState::kStopped);
}

// Ticks and event indexes of 2^23 and more would spill into the marker's
// kind bit; they are carried whole instead.
TEST(PositionMarker, KeepsKindAndValueBeyondTwentyThreeBits) {
    EXPECT_EQ(PositionMarker::Tick(5), 0x800005u);
    EXPECT_EQ(PositionMarker::Event(5), 5u);
    for (const std::uint32_t value :
         {0u, 0x7FFFFFu, 0x800000u, 0x800005u, 0xFFFFFFu, 0x1234567u, 0x7FFFFFFFu}) {
        EXPECT_TRUE(PositionMarker::IsTick(PositionMarker::Tick(value)));
        EXPECT_FALSE(PositionMarker::IsTick(PositionMarker::Event(value)));
        EXPECT_EQ(PositionMarker::Value(PositionMarker::Tick(value)), value);
        EXPECT_EQ(PositionMarker::Value(PositionMarker::Event(value)), value);
    }
}

TEST(Player, MarksTicksBeyondTwentyThreeBitsTruthfully) {
    PlayerRig rig;
    constexpr std::int32_t kFar = 0x800000 + 52;  // on the step grid
    AddNote(AddTrack(rig.song), 0, 60, kFar, kFar + 60);
    FinishSong(rig.song);
    ASSERT_EQ(rig.Start(), Player::kOk);
    rig.player.Play(kFar, false);
    rig.stream.PlayBuffer();
    ASSERT_FALSE(rig.notifier.posted.empty());
    const auto first = static_cast<std::uint32_t>(rig.notifier.posted[1].lParam);
    EXPECT_TRUE(PositionMarker::IsTick(first));
    EXPECT_EQ(PositionMarker::Value(first), static_cast<std::uint32_t>(kFar));
}

}  // namespace
}  // namespace tavrino
