// The player on the scheduled stream: stops that wake the stream and return
// at once in real time, and outputs that fail while playing. Timing on the
// tempo map is tested in the stream's timeline and end to end by the tool's
// trace command.

#include "platform/scheduled_midi_stream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>

#include "document/test_songs.h"
#include "platform/recording_output.h"
#include "platform/virtual_playback.h"
#include "player/player.h"
#include "player/waiting_notifier.h"

namespace tavrino {
namespace {

using test::AddNote;
using test::AddTempo;
using test::AddTrack;
using test::FinishSong;

// A song of notes and `changes` tempo changes at random ticks.
void TempoChangingSong(MidiSong& song, int changes) {
    std::mt19937 random(11);
    std::uniform_int_distribution<std::int32_t> tempos(300000, 700000);
    std::uniform_int_distribution<std::int32_t> gaps(1, 8 * 480);
    MidiTrack& conductor = AddTrack(song);
    MidiTrack& melody = AddTrack(song);
    std::int32_t tick = 0;
    for (int i = 0; i < changes; ++i) {
        AddTempo(conductor, tick, tempos(random));
        const std::int32_t next = tick + gaps(random);
        for (std::int32_t note = tick; note < next; note += 170) {
            AddNote(melody, 0, 60 + note % 24, note, note + 100);
        }
        tick = next;
    }
    FinishSong(song, 480);
}

// Real time whose deadlines never come by themselves: a waiting stream goes
// on only when notified. A wait that runs into the guard is a missed wake
// (counted), so a stop that forgets to wake the stream fails instead of
// hanging.
class NotifiedOnlyClock final : public StreamClock {
public:
    std::int64_t Now() const override { return steady_.Now(); }
    void WaitUntil(std::int64_t deadline, std::condition_variable& wake,
                   std::unique_lock<std::mutex>& lock, bool) override {
        if (deadline <= Now()) {
            return;
        }
        waiting_ = true;
        waiting_.notify_all();
        if (wake.wait_for(lock, std::chrono::seconds(5)) == std::cv_status::timeout) {
            ++missedWakes_;
        }
    }
    void WaitForTheStreamToWait() const { waiting_.wait(false); }
    int MissedWakes() const { return missedWakes_; }

private:
    SteadyStreamClock steady_;
    std::atomic<bool> waiting_{false};
    std::atomic<int> missedWakes_{0};
};

TEST(ScheduledMidiStream, StopsAtOnceInRealTimeAndNeverPlaysEarly) {
    MidiSong song;
    MidiTrack& track = AddTrack(song);
    for (int i = 0; i < 400; ++i) {
        AddNote(track, i % 16, 40 + i % 40, i * 24, i * 24 + 20);
    }
    FinishSong(song, 96);
    NotifiedOnlyClock clock;
    const auto recorder = std::make_shared<RecordingOutput>(clock);
    SingleOutput outputs("recorder", recorder);
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    WaitingNotifier notifier;
    Player player(stream, settings);
    ASSERT_EQ(player.Init(song, notifier), Player::kOk);
    player.SetTempo(500000);
    ASSERT_EQ(player.Play(0, false), Player::kOk);

    clock.WaitForTheStreamToWait();
    const auto before = std::chrono::steady_clock::now();
    player.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    EXPECT_EQ(clock.MissedWakes(), 0);
    EXPECT_EQ(player.state(), PlayerState::kStopped);
    EXPECT_EQ(notifier.Complaints(), "");
    EXPECT_FALSE(notifier.Ended());

    const std::vector<RecordedMessage> messages = recorder->Messages();
    ASSERT_GT(messages.size(), 10u);
    for (const RecordedMessage& message : messages) {
        EXPECT_GE(message.arrived, message.due);
    }
}

// An output that stops taking messages, like a port unplugged while playing.
class FailingOutput final : public MidiOutput {
public:
    explicit FailingOutput(int accepted) : left_(accepted) {}
    bool Send(std::span<const std::uint8_t>, std::int64_t) override { return left_-- > 0; }

private:
    std::atomic<int> left_;
};

TEST(ScheduledMidiStream, AnOutputThatFailsWhilePlayingEndsThePlay) {
    MidiSong song;
    TempoChangingSong(song, 40);
    VirtualStreamClock clock;
    SingleOutput outputs("failing", std::make_shared<FailingOutput>(400));

    const PlaybackResult played = PlayInVirtualTime(song, outputs, clock, {});
    EXPECT_EQ(played.result, Player::kOk);
    EXPECT_EQ(played.streamError, MidiStream::kDeviceFailed);
    EXPECT_NE(played.complaints.find("stopped taking messages"), std::string::npos);
}

TEST(ScheduledMidiStream, ADeviceThatCannotOpenIsReported) {
    MidiSong song;
    TempoChangingSong(song, 2);
    VirtualStreamClock clock;
    SingleOutput outputs("absent", nullptr);
    EXPECT_EQ(PlayInVirtualTime(song, outputs, clock, {}).result, Player::kCannotOpen);
}

}  // namespace
}  // namespace tavrino
