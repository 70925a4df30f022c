#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi_output.h"

class RtMidiOut;

namespace tavrino {

// A MIDI output port RtMidi sees: ALSA sequencer or JACK on Linux, WinMM on
// Windows, CoreMIDI on macOS.
struct MidiPort {
    int api = 0;  // RtMidi's API number
    std::string name;
};

// The output ports present now, over every API that can start.
std::vector<MidiPort> ListMidiPorts();

// Opens a port: a JACK port through our own JACK client, which places each
// message at its frame and notices a server or receiver that goes away;
// any other through RtMidi. Empty, with `problem` set, when it cannot open.
std::shared_ptr<MidiOutput> OpenMidiPort(const MidiPort& port, std::string& problem);

// An open output port. A port that goes away while open makes Send fail.
class MidiPortOutput final : public MidiOutput {
public:
    // Empty, with `problem` set, when the port is gone or cannot be opened.
    static std::shared_ptr<MidiPortOutput> Open(const MidiPort& port, std::string& problem);
    ~MidiPortOutput() override;

    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override;

private:
    explicit MidiPortOutput(std::unique_ptr<RtMidiOut> out);

    std::mutex mutex_;  // RtMidi's calls are not safe from several threads
    std::unique_ptr<RtMidiOut> out_;
    bool failed_ = false;
};

}  // namespace tavrino
