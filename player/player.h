#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "player/buffer_filler.h"
#include "player/midi_stream.h"
#include "player/play_position.h"
#include "player/player_control.h"
#include "player/player_notifier.h"
#include "settings/settings.h"
#include "song/midi_song.h"

namespace tavrino {

enum class PlayerState : std::int16_t {
    kClosed = 0,
    kStopped = 1,  // device open, idle
    kPlaying = 2,
    kStopping = 3,
    kPaused = 4,
};

// Plays the open song through a MIDI stream, one eighth of a quarter note per
// buffer with two buffers in the stream's queue, refilling each as it comes
// back on the stream's thread. Also sends single messages (the monitors'
// notes, the channel reset) and plays the metronome: a count-in before the
// song and, in edit mode, a click on every beat.
//
// Two threads use it: the user-interface thread calls the operations, the
// stream's thread refills buffers, detects the end and posts positions. What
// both touch is atomic; the stream's thread never waits for the other. Both
// buffers exist from Init to Shutdown: nothing is allocated while playing.
class Player final : public PlayerControl, public PlayPositionSource, private MidiStreamClient {
public:
    static constexpr int kOk = 0;
    static constexpr int kOutOfMemory = 1;  // Init
    static constexpr int kNotOpened = 1;    // Play
    static constexpr int kCannotOpen = 2;
    static constexpr int kAlreadyOpen = 4;
    static constexpr int kAlreadyPlaying = 5;
    static constexpr int kNoDevice = 6;

    // The device to open is `settings.midiDevice`.
    Player(MidiStream& stream, Settings& settings);
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    int Init(MidiSong& song, PlayerNotifier& notifier);
    void Shutdown();
    int Open();
    void Close();

    bool IsPlaying() const override { return state_ == PlayerState::kPlaying; }
    const PlayPosition& SharedPosition() const override { return position; }
    PlayerState state() const { return state_; }
    // From `startTick` (-1 is 0), after a one-bar count-in if asked.
    int Play(std::int32_t startTick, bool countIn) override;
    void Stop() override { Stop(false); }
    // With `notify`, posts WM_PLAYER_ENDED once stopped.
    void Stop(bool notify);
    // The document's lock: while paused, the stream's thread does not touch
    // the song, and an event may be inserted into the message list.
    void Pause() override;
    void Resume() override;
    // Moves the play position; playing goes on from there.
    void Seek(std::int32_t tick) override;
    // Stream ticks since play began; 0 unless playing.
    std::int64_t Position() const;

    void SetTempo(std::int32_t microsecondsPerQuarter) override;
    std::int32_t PlayTick() const override { return position.current; }
    // Unless -1, sets the playback speed; returns the beats per minute it
    // gives. Speeds below 1 % are refused.
    int TempoPercent(int percent);
    int TempoPercent() const override { return tempoPercent_; }
    // Also resets every channel.
    void SetDivision(int ticksPerQuarter) override;
    std::int32_t step() const { return step_; }
    // In edit mode the stream runs on past the song's end with the metronome.
    void SetEditMode(bool open) { editMode_ = open; }

    void ShortMsg(int status, int channel, int data1, int data2);
    void NoteOn(int channel, int key, int velocity) { ShortMsg(0x90, channel, key, velocity); }
    void NoteOff(int channel, int key, int velocity) { ShortMsg(0x80, channel, key, velocity); }

    // For each position message the frame handles: true if it was posted
    // since the last stop, and then it counts as taken.
    bool TakeNotification();
    // The result of the last failing queue call while playing, 0 if none.
    int LastStreamError() const { return lastStreamError_; }
    // How long Stop waits for the stream to hand back its buffers before it
    // warns and goes on.
    void SetStopTimeout(std::chrono::milliseconds timeout) { stopTimeout_ = timeout; }

    PlayPosition position;

private:
    void OnBufferDone(StreamBuffer& buffer) override;
    void OnMarker(const StreamRecord& record) override;
    void OnClose() override;

    // Sends the programs and controllers in force at the start tick; returns
    // the index of the first event at or after it.
    std::size_t Chase(std::int32_t startTick);
    BufferFiller::Grid Grid() const;
    // Whichever thread holds the fill guard refills every buffer waiting for
    // it, in the order they came back; a thread that finds the guard taken
    // leaves its buffer to the holder. A buffer that played past the song's
    // end is not refilled: play ends once the stream holds none. Paused,
    // every buffer waits for Resume, the last one too, so the end is not lost.
    void RefillWaitingBuffers();
    bool Queue(StreamBuffer& buffer);
    void WaitForFillToEnd() const;
    void ResetChannels();

    MidiStream& stream_;
    Settings& settings_;
    MidiSong* song_ = nullptr;
    PlayerNotifier* notifier_ = nullptr;
    std::unique_ptr<StreamBuffer[]> buffers_;

    std::atomic<PlayerState> state_{PlayerState::kClosed};
    std::atomic<int> inQueue_{0};
    // Signalled when the last queued buffer comes back during a stop.
    std::mutex stopMutex_;
    std::condition_variable buffersBack_;
    std::chrono::milliseconds stopTimeout_{2000};
    std::atomic<int> outstandingNotifications_{0};
    std::atomic<bool> fillGuard_{false};
    std::atomic<bool> editMode_{false};
    std::atomic<int> lastStreamError_{0};
    std::atomic<bool> refillWaiting_[2] = {false, false};
    int nextRefill_ = 0;  // the buffer that came back first
    std::int16_t division_ = 192;
    std::atomic<std::int32_t> tempo_{kDefaultTempo};
    std::atomic<int> tempoPercent_{100};
    std::int32_t step_ = 24;
    BufferFiller filler_;
    // Events the walk had taken at its cursor tick when paused.
    std::size_t takenAtPause_ = 0;
    const MidiEvent* displayedAtPause_ = nullptr;
};

}  // namespace tavrino
