#pragma once

// The other end of a JACK MIDI port: a client of the test's that keeps every
// message it receives with the time it arrived, and the loudest sample its
// audio inputs heard.

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tavrino::test {

struct ReceivedMessage {
    std::int64_t time = 0;  // µs on JACK's clock, at the message's frame
    std::array<std::uint8_t, 3> bytes{};
    std::uint8_t size = 0;

    bool IsNoteOn() const { return (bytes[0] & 0xF0) == 0x90 && bytes[2] != 0; }
    bool IsNote() const { return (bytes[0] & 0xF0) == 0x80 || (bytes[0] & 0xF0) == 0x90; }
};

class JackReceiver {
public:
    JackReceiver() = default;
    ~JackReceiver() { Close(); }
    JackReceiver(const JackReceiver&) = delete;
    JackReceiver& operator=(const JackReceiver&) = delete;

    // A client `name` with the MIDI input "in" and two audio inputs on the
    // server of JACK_DEFAULT_SERVER; what arrived before is forgotten.
    // False, with `problem` set, on failure.
    bool Open(const std::string& name, std::string& problem);
    // The client goes away with its ports, as a closed program's do.
    void Close();

    std::string MidiPort() const { return name_ + ":in"; }
    // Connects every audio output of `client` to our audio inputs.
    bool ListenTo(const std::string& client);

    // What arrived so far.
    std::vector<ReceivedMessage> Messages();
    // Waits until `done` holds for what arrived, at most `limit`.
    bool WaitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                 std::chrono::milliseconds limit);
    float LoudestSample() const { return loudest_; }
    // Periods the server could not finish in time since Open: on a loaded
    // machine without real-time scheduling JACK may lose what they carried.
    int Xruns() const { return xruns_; }

private:
    static int Process(jack_nframes_t frames, void* self);
    void Drain();

    std::string name_;
    jack_client_t* client_ = nullptr;
    jack_port_t* midiIn_ = nullptr;
    std::array<jack_port_t*, 2> audioIn_{};
    jack_ringbuffer_t* arrived_ = nullptr;
    std::atomic<float> loudest_{0};
    std::atomic<int> xruns_{0};
    std::atomic<bool> serverGone_{false};
    std::mutex mutex_;
    std::vector<ReceivedMessage> messages_;
};

// Which message sent each arrival is: the index in `sent` of the next one
// with its bytes, so that messages lost on the way are skipped over; -1 for
// an arrival that is none still to come (out of order, or never sent).
std::vector<std::ptrdiff_t> MatchToSent(const std::vector<std::vector<std::uint8_t>>& sent,
                                        const std::vector<ReceivedMessage>& arrived);

// The channel and key of every note still sounding: each note-on not yet
// followed by its note-off.
std::vector<std::pair<int, int>> StuckNotes(const std::vector<ReceivedMessage>& messages);

}  // namespace tavrino::test
