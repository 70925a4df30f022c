#include "platform/midi_ports.h"

#include <RtMidi.h>

#include <iostream>
#include <streambuf>

#if defined(__linux__)
#include <alsa/asoundlib.h>

#include "platform/jack_midi_output.h"
#endif

namespace tavrino {

namespace {

// RtMidi writes its errors to the standard error stream as well as throwing
// them, and the sound libraries under it print their own; the user hears of
// a problem from us, once, in words of ours.
class QuietLibraries {
public:
    QuietLibraries() : saved_(std::cerr.rdbuf(&discard_)) {
#if defined(__linux__)
        snd_lib_error_set_handler(&IgnoreAlsa);
        jack_set_error_function(&IgnoreJack);
        jack_set_info_function(&IgnoreJack);
#endif
    }
    ~QuietLibraries() {
        std::cerr.rdbuf(saved_);
    }
    QuietLibraries(const QuietLibraries&) = delete;
    QuietLibraries& operator=(const QuietLibraries&) = delete;

private:
    class Discard : public std::streambuf {
    protected:
        int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    };
#if defined(__linux__)
    static void IgnoreAlsa(const char*, int, const char*, int, const char*, ...) {}
    static void IgnoreJack(const char*) {}
#endif

    Discard discard_;
    std::streambuf* saved_;
};

// Every RtMidi error after opening is a reason to stop sending.
void KeepFailure(RtMidiError::Type type, const std::string&, void* failed) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING) {
        *static_cast<bool*>(failed) = true;
    }
}

std::unique_ptr<RtMidiOut> OpenApi(RtMidi::Api api) {
    try {
        return std::make_unique<RtMidiOut>(api, "Tavrino");
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

}  // namespace

std::vector<MidiPort> ListMidiPorts() {
    const QuietLibraries quiet;
    std::vector<MidiPort> ports;
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (const RtMidi::Api api : apis) {
        const std::unique_ptr<RtMidiOut> out = OpenApi(api);
        if (!out) {
            continue;
        }
        try {
            for (unsigned i = 0, count = out->getPortCount(); i < count; ++i) {
                ports.push_back({static_cast<int>(api), out->getPortName(i)});
            }
        } catch (const RtMidiError&) {
            continue;
        }
    }
    return ports;
}

std::shared_ptr<MidiOutput> OpenMidiPort(const MidiPort& port, std::string& problem) {
#if defined(__linux__)
    if (port.api == RtMidi::UNIX_JACK) {
        const QuietLibraries quiet;
        return JackMidiOutput::Open(port.name, problem);
    }
#endif
    return MidiPortOutput::Open(port, problem);
}

std::shared_ptr<MidiPortOutput> MidiPortOutput::Open(const MidiPort& port, std::string& problem) {
    const QuietLibraries quiet;
    std::unique_ptr<RtMidiOut> out = OpenApi(static_cast<RtMidi::Api>(port.api));
    if (!out) {
        problem = "the MIDI system is not available";
        return nullptr;
    }
    try {
        // Ports are numbered anew whenever one comes or goes: find it by name.
        for (unsigned i = 0, count = out->getPortCount(); i < count; ++i) {
            if (out->getPortName(i) == port.name) {
                out->openPort(i, "Tavrino");
                return std::shared_ptr<MidiPortOutput>(new MidiPortOutput(std::move(out)));
            }
        }
        problem = "the MIDI port \"" + port.name + "\" is gone";
    } catch (const RtMidiError& error) {
        problem = "cannot open the MIDI port \"" + port.name + "\": " + error.getMessage();
    }
    return nullptr;
}

MidiPortOutput::MidiPortOutput(std::unique_ptr<RtMidiOut> out) : out_(std::move(out)) {
    out_->setErrorCallback(&KeepFailure, &failed_);
}

MidiPortOutput::~MidiPortOutput() {
    const QuietLibraries quiet;
    out_.reset();
}

bool MidiPortOutput::Send(std::span<const std::uint8_t> message, std::int64_t) {
    const std::lock_guard lock(mutex_);
    if (!failed_) {
        try {
            out_->sendMessage(message.data(), message.size());
        } catch (const RtMidiError&) {
            failed_ = true;
        }
    }
    return !failed_;
}

}  // namespace tavrino
