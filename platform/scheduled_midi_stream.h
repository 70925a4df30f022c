#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/midi_output.h"
#include "platform/stream_clock.h"
#include "player/midi_stream.h"
#include "player/stream_timeline.h"

namespace tavrino {

// The MIDI stream on a thread of its own: it sleeps on the clock until each
// record is due, sends channel messages to the opened output, follows tempo
// records, and reports markers and finished buffers to its client.
//
// Due times come from the stream's timeline, counted from Restart: a record
// that goes out late (a busy machine) does not delay the ones after it.
class ScheduledMidiStream final : public MidiStream {
public:
    ScheduledMidiStream(MidiOutputs& outputs, StreamClock& clock);
    ~ScheduledMidiStream() override;
    ScheduledMidiStream(const ScheduledMidiStream&) = delete;
    ScheduledMidiStream& operator=(const ScheduledMidiStream&) = delete;

    int DeviceCount() const override { return outputs_.Count(); }
    int Open(int deviceId, MidiStreamClient& client) override;
    void Close() override;
    int Out(StreamBuffer& buffer) override;
    void Restart() override;
    void Stop() override;
    void Reset() override;
    std::int64_t Position() const override;
    void SetTimeDivision(int ticksPerQuarter) override;
    void SetTempo(std::uint32_t microsecondsPerQuarter) override;
    void SetTempoPercent(int percent) override;
    void ShortMsg(std::uint32_t message) override;
    void ErrorText(int code, std::span<char> text) const override;

private:
    // More than the player ever queues.
    static constexpr std::size_t kQueueCapacity = 8;
    static constexpr int kChannels = 16;
    static constexpr int kKeys = 128;

    void Run();
    // Plays the record at the head of the queue once it is due; with the
    // lock held on entry and return.
    void PlayNext(std::unique_lock<std::mutex>& lock);
    // Hands every queued buffer back to the client; the lock is let go
    // around each call.
    void HandBack(std::unique_lock<std::mutex>& lock);
    // A change of the timeline's rate takes effect at the tick reached now.
    template <typename Change>
    void ChangeRate(Change change);
    void Send(std::uint32_t message, std::int64_t time);
    // Keeps which notes sound, so that a reset can end each one itself:
    // not every receiver obeys "all notes off".
    void Follow(std::span<const std::uint8_t> message);

    MidiOutputs& outputs_;
    StreamClock& clock_;
    std::shared_ptr<MidiOutput> output_;
    std::int64_t lead_ = 0;  // the output's
    MidiStreamClient* client_ = nullptr;
    std::thread thread_;
    std::thread::id threadId_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;        // the stream's thread: work, stop, close, new rate
    std::condition_variable handedBack_;  // Stop: the buffers are back
    std::array<StreamBuffer*, kQueueCapacity> queue_{};
    std::size_t queueHead_ = 0;
    std::size_t queueSize_ = 0;
    std::uint32_t nextRecord_ = 0;  // in the buffer at the head
    std::int64_t lastTick_ = 0;     // of the last record played
    StreamTimeline timeline_;
    bool running_ = false;
    bool closing_ = false;
    std::uint64_t stopsAsked_ = 0;
    std::uint64_t stopsDone_ = 0;
    bool failed_ = false;
    std::array<std::atomic<bool>, kChannels * kKeys> sounding_{};
};

}  // namespace tavrino
