#include "platform/system_midi_outputs.h"

#include "platform/soundfont_locator.h"
#include "platform/synth_outputs.h"

namespace tavrino {

SystemMidiOutputs::SystemMidiOutputs(const std::filesystem::path& soundFont)
    : chosenSoundFont_(soundFont) {
    Refresh();
}

void SystemMidiOutputs::Refresh() {
    soundFont_ = FindSoundFont(chosenSoundFont_);
    ports_ = ListMidiPorts();
}

void SystemMidiOutputs::SetAudioDriver(std::string driver) {
    audioDriver_ = IsAudioDriver(driver) ? std::move(driver) : std::string();
}

void SystemMidiOutputs::SetSoundFont(const std::filesystem::path& soundFont) {
    chosenSoundFont_ = soundFont;
    Refresh();
}

int SystemMidiOutputs::Count() const {
    return static_cast<int>(ports_.size()) + (HasSynthesizer() ? 1 : 0);
}

std::string SystemMidiOutputs::Name(int device) const {
    if (HasSynthesizer() && device == 0) {
        return "Built-in synthesizer (" + soundFont_->filename().string() + ")";
    }
    const int port = device - (HasSynthesizer() ? 1 : 0);
    return port >= 0 && port < static_cast<int>(ports_.size()) ? ports_[port].name : std::string();
}

std::shared_ptr<MidiOutput> SystemMidiOutputs::Open(int device) {
    problem_.clear();
    int opened = device;
    return device == -1 ? OpenDefault(opened) : OpenDevice(device);
}

std::shared_ptr<MidiOutput> SystemMidiOutputs::OpenDefault(int& device) {
    device = -1;
    if (Count() == 0) {
        problem_ = "no MIDI output: no SoundFont for the built-in synthesizer and no MIDI port";
        return nullptr;
    }
    std::shared_ptr<MidiOutput> output = OpenDevice(0);
    if (output) {
        device = 0;
        return output;
    }
    // The synthesizer could not start: a port will do.
    if (HasSynthesizer() && Count() > 1) {
        const std::string synthesizerProblem = problem_;
        output = OpenDevice(1);
        if (output) {
            device = 1;
        } else {
            problem_ = synthesizerProblem + "; " + problem_;
        }
    }
    return output;
}

std::shared_ptr<MidiOutput> SystemMidiOutputs::OpenDevice(int device) {
    if (HasSynthesizer() && device == 0) {
        audioStart_ = {};
        return LiveSynthOutput::Open(*soundFont_, audioDriver_, audioStart_, problem_);
    }
    const int port = device - (HasSynthesizer() ? 1 : 0);
    if (port < 0 || port >= static_cast<int>(ports_.size())) {
        problem_ = "there is no MIDI output " + std::to_string(device);
        return nullptr;
    }
    return OpenMidiPort(ports_[port], problem_);
}

int SystemMidiOutputs::DefaultDevice() {
    problem_.clear();
    int device = -1;
    OpenDefault(device);
    return device;
}

}  // namespace tavrino
