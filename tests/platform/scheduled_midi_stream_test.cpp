// The player on the scheduled stream: exact timing in virtual time, stops
// that return at once in real time, and outputs that fail while playing.

#include "platform/scheduled_midi_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

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

// The channel reset of a newly loaded song, then all notes off as play starts.
constexpr std::size_t kMessagesBeforePlay = 16 * 14 + 16 * 2;

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

// The time of each tick by the song's tempo map at `percent` speed, in
// nanoseconds, from sums of whole numbers.
std::int64_t TempoMapTime(const MidiSong& song, std::int64_t tick, int percent) {
    std::int64_t sum = 0;  // Σ ticks × tempo
    std::int64_t from = 0;
    std::int64_t tempo = kDefaultTempo;
    for (const TempoEvent* change : song.tempos) {
        if (change->time >= tick) {
            break;
        }
        sum += (change->time - from) * tempo;
        from = change->time;
        tempo = change->value();
    }
    sum += (tick - from) * tempo;
    const std::int64_t denominator = std::int64_t{song.division} * percent;
    return (sum * 100000 + denominator - 1) / denominator;
}

TEST(ScheduledMidiStream, EveryMessageSoundsAtItsTimeOnTheTempoMap) {
    MidiSong song;
    TempoChangingSong(song, 460);
    constexpr int kPercent = 150;
    VirtualStreamClock clock;
    const auto recorder = std::make_shared<RecordingOutput>(clock);
    SingleOutput outputs("recorder", recorder);

    const PlaybackResult played = PlayInVirtualTime(song, outputs, clock, {0, kPercent, false});
    ASSERT_EQ(played.result, Player::kOk);
    EXPECT_GT(played.end, std::int64_t{600} * 1'000'000'000) << "ten minutes of music";

    const std::vector<RecordedMessage> messages = recorder->Messages();
    std::size_t next = kMessagesBeforePlay;
    for (const MidiEvent* event : song.messages) {
        if (!IsChannelKind(event->kind())) {
            continue;
        }
        ASSERT_LT(next, messages.size());
        const RecordedMessage& message = messages[next++];
        ASSERT_EQ(message.bytes[0], event->status);
        ASSERT_EQ(message.bytes[1], event->data1);
        const std::int64_t expected = TempoMapTime(song, event->time, kPercent);
        ASSERT_NEAR(message.due, expected, 1000) << "tick " << event->time;
        ASSERT_EQ(message.arrived, message.due);
    }
    // What is left is the reset of every channel at the stop.
    EXPECT_EQ(messages.size() - next, 32u);
}

TEST(ScheduledMidiStream, StopsAtOnceInRealTimeAndNeverPlaysEarly) {
    MidiSong song;
    MidiTrack& track = AddTrack(song);
    for (int i = 0; i < 400; ++i) {
        AddNote(track, i % 16, 40 + i % 40, i * 24, i * 24 + 20);
    }
    FinishSong(song, 96);
    SteadyStreamClock clock;
    const auto recorder = std::make_shared<RecordingOutput>(clock);
    SingleOutput outputs("recorder", recorder);
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    WaitingNotifier notifier;
    Player player(stream, settings);
    ASSERT_EQ(player.Init(song, notifier), Player::kOk);
    player.SetTempo(500000);
    ASSERT_EQ(player.Play(0, false), Player::kOk);

    // Stop only once the song is under way: a fixed sleep may end before the
    // stream's thread has run at all on a loaded machine.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (notifier.LastTick() <= 0 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_GT(notifier.LastTick(), 0) << "the song never got under way";
    const auto before = std::chrono::steady_clock::now();
    player.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
    EXPECT_EQ(player.state(), PlayerState::kStopped);
    EXPECT_EQ(notifier.Complaints(), "");
    EXPECT_FALSE(notifier.Ended());

    const std::vector<RecordedMessage> messages = recorder->Messages();
    ASSERT_GT(messages.size(), 10u);
    for (const RecordedMessage& message : messages) {
        EXPECT_GE(message.arrived, message.due);
    }
    EXPECT_GT(notifier.LastTick(), 0);
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
