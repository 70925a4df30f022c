#include "support/jack_receiver.h"

#include <jack/midiport.h>

#include <algorithm>
#include <cmath>
#include <thread>

namespace tavrino::test {

bool JackReceiver::Open(const std::string& name, std::string& problem) {
    jack_status_t status{};
    client_ = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (client_ == nullptr) {
        problem = "no JACK server for the receiver";
        return false;
    }
    name_ = jack_get_client_name(client_);
    {
        const std::lock_guard lock(mutex_);
        messages_.clear();
    }
    xruns_ = 0;
    midiIn_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    audioIn_[0] = jack_port_register(client_, "left", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    audioIn_[1] = jack_port_register(client_, "right", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    arrived_ = jack_ringbuffer_create(1 << 20);
    if (midiIn_ == nullptr || audioIn_[0] == nullptr || audioIn_[1] == nullptr ||
        arrived_ == nullptr || jack_set_process_callback(client_, &Process, this) != 0 ||
        jack_set_xrun_callback(
            client_,
            [](void* self) {
                ++static_cast<JackReceiver*>(self)->xruns_;
                return 0;
            },
            this) != 0 ||
        (jack_on_info_shutdown(
             client_,
             [](jack_status_t, const char*, void* self) {
                 static_cast<JackReceiver*>(self)->serverGone_ = true;
             },
             this),
         false) ||
        jack_activate(client_) != 0) {
        problem = "the receiver's ports cannot be made";
        Close();
        return false;
    }
    return true;
}

void JackReceiver::Close() {
    // A client whose server has gone cannot be closed any more.
    if (client_ != nullptr && !serverGone_) {
        jack_client_close(client_);
    }
    client_ = nullptr;
    serverGone_ = false;
    if (arrived_ != nullptr) {
        Drain();
        jack_ringbuffer_free(arrived_);
        arrived_ = nullptr;
    }
}

bool JackReceiver::ListenTo(const std::string& client) {
    const char** ports =
        jack_get_ports(client_, (client + ":").c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput);
    if (ports == nullptr) {
        return false;
    }
    bool connected = true;
    for (std::size_t i = 0; ports[i] != nullptr && i < audioIn_.size(); ++i) {
        connected = jack_connect(client_, ports[i], jack_port_name(audioIn_[i])) == 0 && connected;
    }
    jack_free(ports);
    return connected;
}

int JackReceiver::Process(jack_nframes_t frames, void* self) {
    auto& receiver = *static_cast<JackReceiver*>(self);
    void* midi = jack_port_get_buffer(receiver.midiIn_, frames);
    const jack_nframes_t start = jack_last_frame_time(receiver.client_);
    for (std::uint32_t i = 0, count = jack_midi_get_event_count(midi); i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, midi, i) != 0 || event.size == 0 || event.size > 3) {
            continue;
        }
        ReceivedMessage message;
        message.time =
            static_cast<std::int64_t>(jack_frames_to_time(receiver.client_, start + event.time));
        message.size = static_cast<std::uint8_t>(event.size);
        std::copy(event.buffer, event.buffer + event.size, message.bytes.begin());
        if (jack_ringbuffer_write_space(receiver.arrived_) >= sizeof message) {
            jack_ringbuffer_write(receiver.arrived_, reinterpret_cast<const char*>(&message),
                                  sizeof message);
        }
    }
    float loudest = receiver.loudest_;
    for (jack_port_t* port : receiver.audioIn_) {
        const auto* samples = static_cast<const float*>(jack_port_get_buffer(port, frames));
        for (jack_nframes_t i = 0; i < frames; ++i) {
            loudest = std::max(loudest, std::fabs(samples[i]));
        }
    }
    receiver.loudest_ = loudest;
    return 0;
}

void JackReceiver::Drain() {
    const std::lock_guard lock(mutex_);
    ReceivedMessage message;
    while (jack_ringbuffer_read(arrived_, reinterpret_cast<char*>(&message), sizeof message) ==
           sizeof message) {
        messages_.push_back(message);
    }
}

std::vector<ReceivedMessage> JackReceiver::Messages() {
    if (arrived_ != nullptr) {
        Drain();
    }
    const std::lock_guard lock(mutex_);
    return messages_;
}

bool JackReceiver::WaitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                           std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done(Messages())) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<std::ptrdiff_t> MatchToSent(const std::vector<std::vector<std::uint8_t>>& sent,
                                        const std::vector<ReceivedMessage>& arrived) {
    std::vector<std::ptrdiff_t> matches;
    std::size_t next = 0;
    for (const ReceivedMessage& message : arrived) {
        const std::vector<std::uint8_t> bytes(message.bytes.begin(),
                                              message.bytes.begin() + message.size);
        std::size_t at = next;
        while (at < sent.size() && sent[at] != bytes) {
            ++at;
        }
        if (at == sent.size()) {
            matches.push_back(-1);
            continue;
        }
        matches.push_back(static_cast<std::ptrdiff_t>(at));
        next = at + 1;
    }
    return matches;
}

std::vector<std::pair<int, int>> StuckNotes(const std::vector<ReceivedMessage>& messages) {
    std::array<bool, 16 * 128> sounding{};
    for (const ReceivedMessage& message : messages) {
        if (message.size == 3 && message.IsNote()) {
            sounding[(message.bytes[0] & 0x0F) * 128 + message.bytes[1]] = message.IsNoteOn();
        }
    }
    std::vector<std::pair<int, int>> stuck;
    for (int note = 0; note < 16 * 128; ++note) {
        if (sounding[note]) {
            stuck.emplace_back(note / 128, note % 128);
        }
    }
    return stuck;
}

}  // namespace tavrino::test
