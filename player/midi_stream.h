#pragma once

#include <cstdint>
#include <span>

#include "player/stream_record.h"

namespace tavrino {

// What a stream reports: finished buffers and markers on the stream's own
// thread, the close on the thread that closes it.
class MidiStreamClient {
public:
    virtual ~MidiStreamClient() = default;

    // The buffer was played to its end, or handed back by Stop.
    virtual void OnBufferDone(StreamBuffer& buffer) = 0;
    // A record with the callback flag was reached.
    virtual void OnMarker(const StreamRecord& record) = 0;
    // The stream was closed.
    virtual void OnClose() = 0;
};

// A MIDI output device that plays queued buffers of timed records. Buffers
// play in the order they were queued; each record's delta is in ticks, turned
// into time by the stream's division, tempo and tempo percent (all three may
// change while playing). Nothing throws: failures are result codes.
class MidiStream {
public:
    static constexpr int kOk = 0;
    static constexpr int kCannotOpen = 2;
    static constexpr int kNotOpen = 3;
    // The device stopped taking messages while open (a port that went away).
    static constexpr int kDeviceFailed = 4;

    virtual ~MidiStream() = default;

    // Output devices present now; device ids run from 0 to the count - 1, and
    // -1 is the default output.
    virtual int DeviceCount() const = 0;

    virtual int Open(int deviceId, MidiStreamClient& client) = 0;
    // Stops and closes; the client's OnClose has run when this returns.
    virtual void Close() = 0;

    // Queues the buffer; the stream plays it once started, after those queued
    // before it. The buffer must stay untouched until it comes back.
    virtual int Out(StreamBuffer& buffer) = 0;
    // Starts playing the queue; the position counts from 0.
    virtual void Restart() = 0;
    // Stops playing and hands every queued buffer back through OnBufferDone
    // before returning (on the stream's thread, or inline when called there).
    virtual void Stop() = 0;
    // Ends every sounding note on every channel.
    virtual void Reset() = 0;

    // Ticks played since Restart, 0 when stopped.
    virtual std::int64_t Position() const = 0;
    virtual void SetTimeDivision(int ticksPerQuarter) = 0;
    virtual void SetTempo(std::uint32_t microsecondsPerQuarter) = 0;
    // Playback speed in percent of the tempo; applied without rounding the
    // tempo, so that long songs keep their timing exactly.
    virtual void SetTempoPercent(int percent) = 0;

    // Sends a channel message at once: status in bits 0-7, data in 8-15 and
    // 16-23.
    virtual void ShortMsg(std::uint32_t message) = 0;

    // The text of a failing call's result code, cut to fit `text`.
    virtual void ErrorText(int code, std::span<char> text) const = 0;
};

}  // namespace tavrino
