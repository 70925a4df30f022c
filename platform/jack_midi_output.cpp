#include "platform/jack_midi_output.h"

#include <jack/midiport.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace tavrino {

namespace {

// One message in the queue to the server's thread: fixed size, so that a
// read never finds half a message.
struct QueuedMessage {
    jack_time_t due = 0;  // on JACK's clock, in µs
    std::uint8_t size = 0;
    std::uint8_t bytes[3] = {};
};

// Far more than a period of the densest song needs.
constexpr std::size_t kQueueMessages = 4096;

std::int64_t SteadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// JACK's clock minus the stream's, in ns. The two may count from different
// origins; the reading least disturbed by the scheduler of a few is kept.
std::int64_t ClockOffset() {
    std::int64_t best = 0;
    std::int64_t narrowest = INT64_MAX;
    for (int i = 0; i < 8; ++i) {
        const std::int64_t before = SteadyNow();
        const auto jack = static_cast<std::int64_t>(jack_get_time()) * 1000;
        const std::int64_t after = SteadyNow();
        if (after - before < narrowest) {
            narrowest = after - before;
            best = jack - before / 2 - after / 2;
        }
    }
    return best;
}

}  // namespace

std::shared_ptr<JackMidiOutput> JackMidiOutput::Open(const std::string& destination,
                                                     std::string& problem) {
    std::shared_ptr<JackMidiOutput> output(new JackMidiOutput);
    jack_status_t status{};
    output->client_ = jack_client_open("Tavrino", JackNoStartServer, &status);
    if (output->client_ == nullptr) {
        problem = "the JACK server is not running";
        return nullptr;
    }
    output->port_ =
        jack_port_register(output->client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    output->queue_ = jack_ringbuffer_create(kQueueMessages * sizeof(QueuedMessage));
    if (output->port_ == nullptr || output->queue_ == nullptr) {
        problem = "the JACK server refuses a MIDI port";
        return nullptr;
    }
    jack_set_process_callback(output->client_, &JackMidiOutput::Process, output.get());
    jack_on_info_shutdown(output->client_, &JackMidiOutput::ServerGone, output.get());
    jack_set_port_connect_callback(output->client_, &JackMidiOutput::ConnectionChanged,
                                   output.get());
    output->clockOffset_ = ClockOffset();
    if (jack_activate(output->client_) != 0) {
        problem = "the JACK server refuses to run our client";
        return nullptr;
    }
    if (jack_connect(output->client_, jack_port_name(output->port_), destination.c_str()) != 0) {
        // A server may forbid clients to connect themselves.
        problem =
            jack_port_by_name(output->client_, destination.c_str()) == nullptr
                ? "the MIDI port \"" + destination + "\" is gone"
                : "the JACK server refuses to connect to the MIDI port \"" + destination + "\"";
        return nullptr;
    }
    output->connected_ = true;
    return output;
}

JackMidiOutput::~JackMidiOutput() {
    // What was handed over last (the note-offs of a stop) is played before
    // the port goes, to the end of the period that takes it: a few periods
    // at most.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    std::uint64_t emptySince = 0;
    while (connected_ && !failed_ && std::chrono::steady_clock::now() < end) {
        if (jack_ringbuffer_read_space(queue_) > 0) {
            emptySince = 0;
        } else if (emptySince == 0) {
            emptySince = periods_;
        } else if (periods_ > emptySince + 1) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // A client whose server has gone cannot be closed any more: it is left.
    if (client_ != nullptr && !serverGone_) {
        jack_client_close(client_);
    }
    if (queue_ != nullptr) {
        jack_ringbuffer_free(queue_);
    }
}

bool JackMidiOutput::Send(std::span<const std::uint8_t> message, std::int64_t time) {
    if (failed_ || message.empty() || message.size() > 3) {
        return !failed_;
    }
    QueuedMessage queued;
    queued.due = static_cast<jack_time_t>((time + clockOffset_) / 1000);
    queued.size = static_cast<std::uint8_t>(message.size());
    std::copy(message.begin(), message.end(), queued.bytes);
    const std::lock_guard lock(sending_);
    if (jack_ringbuffer_write_space(queue_) < sizeof queued) {
        // The server has not taken anything for thousands of messages.
        failed_ = true;
        return false;
    }
    jack_ringbuffer_write(queue_, reinterpret_cast<const char*>(&queued), sizeof queued);
    return true;
}

int JackMidiOutput::Process(jack_nframes_t frames, void* self) {
    auto& output = *static_cast<JackMidiOutput*>(self);
    output.Play(frames);
    ++output.periods_;
    return 0;
}

void JackMidiOutput::Play(jack_nframes_t frames) {
    void* buffer = jack_port_get_buffer(port_, frames);
    jack_midi_clear_buffer(buffer);
    jack_nframes_t firstFrame = 0;
    jack_time_t start = 0;
    jack_time_t next = 0;
    float periodUsecs = 0;
    if (jack_get_cycle_times(client_, &firstFrame, &start, &next, &periodUsecs) != 0 ||
        next <= start) {
        return;
    }
    const jack_time_t period = next - start;
    jack_nframes_t lastFrame = 0;
    QueuedMessage queued;
    while (jack_ringbuffer_peek(queue_, reinterpret_cast<char*>(&queued), sizeof queued) ==
           sizeof queued) {
        const jack_time_t sounding = queued.due + period;
        if (sounding >= next) {
            break;  // a later period's
        }
        // A period's port buffer holds a few dozen messages: the rest of a
        // burst (a channel reset) waits for the next period, never lost.
        if (jack_midi_max_event_size(buffer) < queued.size) {
            break;
        }
        jack_ringbuffer_read_advance(queue_, sizeof queued);
        const jack_time_t into = sounding > start ? sounding - start : 0;
        const auto frame = static_cast<jack_nframes_t>(into * frames / period);
        lastFrame = std::clamp<jack_nframes_t>(frame, lastFrame, frames - 1);
        jack_midi_event_write(buffer, lastFrame, queued.bytes, queued.size);
    }
}

void JackMidiOutput::ServerGone(jack_status_t, const char*, void* self) {
    auto& output = *static_cast<JackMidiOutput*>(self);
    output.serverGone_ = true;
    output.failed_ = true;
}

void JackMidiOutput::ConnectionChanged(jack_port_id_t a, jack_port_id_t b, int connected,
                                       void* self) {
    auto& output = *static_cast<JackMidiOutput*>(self);
    if (connected != 0 || !output.connected_) {
        return;
    }
    const jack_port_t* ours = output.port_;
    if (jack_port_by_id(output.client_, a) == ours || jack_port_by_id(output.client_, b) == ours) {
        // Our one connection: whoever received our music is gone, or was
        // cut off.
        output.failed_ = true;
    }
}

}  // namespace tavrino
