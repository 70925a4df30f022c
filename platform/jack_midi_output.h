#pragma once

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/midi_output.h"

namespace tavrino {

// A JACK MIDI input port played from a port of our own. JACK hands MIDI on
// once per period; each message carries its due time and is placed at its
// frame within the period, one period after it was due, so that the spacing
// of the music survives the period's granularity. The stream can therefore
// hand messages over a little early instead of waking exactly on time.
//
// The server going away or the port losing its connection (the receiving
// client closed) makes Send fail, so that play stops and says why.
class JackMidiOutput final : public MidiOutput {
public:
    // Empty, with `problem` set, when there is no server or no such port.
    static std::shared_ptr<JackMidiOutput> Open(const std::string& destination,
                                                std::string& problem);
    ~JackMidiOutput() override;
    JackMidiOutput(const JackMidiOutput&) = delete;
    JackMidiOutput& operator=(const JackMidiOutput&) = delete;

    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override;
    std::int64_t Lead() const override { return kLead; }

private:
    // Enough for a stream thread woken late on a busy machine; what is
    // handed over ahead still ends in order after a stop's note-offs.
    static constexpr std::int64_t kLead = 10'000'000;  // ns

    JackMidiOutput() = default;
    static int Process(jack_nframes_t frames, void* self);
    static void ServerGone(jack_status_t, const char*, void* self);
    static void ConnectionChanged(jack_port_id_t a, jack_port_id_t b, int connected, void* self);
    void Play(jack_nframes_t frames);

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    jack_ringbuffer_t* queue_ = nullptr;  // our thread writes, the server's reads
    std::mutex sending_;                  // Send comes from more than one thread
    std::atomic<bool> connected_{false};
    std::atomic<bool> failed_{false};
    std::atomic<bool> serverGone_{false};
    std::atomic<std::uint64_t> periods_{0};  // played so far
    std::int64_t clockOffset_ = 0;           // JACK's clock minus the stream's, ns
};

}  // namespace tavrino
