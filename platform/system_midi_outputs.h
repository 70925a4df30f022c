#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_drivers.h"
#include "platform/midi_output.h"
#include "platform/midi_ports.h"

namespace tavrino {

// The outputs of this machine: device 0 is the built-in synthesizer when a
// SoundFont is found, then every MIDI port present. The default output (-1)
// is the synthesizer when it can start, else the first port.
class SystemMidiOutputs final : public MidiOutputs {
public:
    // `soundFont` is the user's choice; empty looks in the standard places.
    explicit SystemMidiOutputs(const std::filesystem::path& soundFont = {});

    // Looks again for ports that came or went.
    void Refresh();
    // The synthesizer's sound output from now on; empty, or a name that is
    // no driver of ours, tries each in turn.
    void SetAudioDriver(std::string driver);
    // How the synthesizer's sound output started the last time it was opened.
    const AudioStartReport& AudioStart() const { return audioStart_; }
    // The synthesizer's SoundFont from now on; empty looks in the standard
    // places.
    void SetSoundFont(const std::filesystem::path& soundFont);

    int Count() const override;
    std::string Name(int device) const override;
    std::shared_ptr<MidiOutput> Open(int device) override;
    std::string Problem() const override { return problem_; }

    // The device the default output opens now, -1 when none can open. Starts
    // the synthesizer's sound output to find out.
    int DefaultDevice();

private:
    bool HasSynthesizer() const { return soundFont_.has_value(); }
    std::shared_ptr<MidiOutput> OpenDevice(int device);
    // Sets `device` to the one opened, -1 when none.
    std::shared_ptr<MidiOutput> OpenDefault(int& device);

    std::filesystem::path chosenSoundFont_;
    std::optional<std::filesystem::path> soundFont_;
    std::vector<MidiPort> ports_;
    std::string audioDriver_;
    AudioStartReport audioStart_;
    std::string problem_;
};

}  // namespace tavrino
