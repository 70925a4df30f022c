#pragma once

#include <string>
#include <vector>

namespace tavrino {

class SystemMidiOutputs;

// The outputs the user chooses among in the options, and the built-in
// synthesizer's SoundFont.
class OutputChoice {
public:
    virtual ~OutputChoice() = default;

    // In device order, named as `tavrino-tool devices` lists them.
    virtual std::vector<std::string> Names() = 0;
    // The device the default output opens now; -1 when none can.
    virtual int DefaultDevice() = 0;
    // Empty when the synthesizer can play the file; else the reason.
    virtual std::string CheckSoundFont(const std::string& path) = 0;
    // The SoundFont found in the standard places; empty when none.
    virtual std::string StandardSoundFont() = 0;
    // The SoundFont the synthesizer loads from its next opening on; empty
    // looks in the standard places.
    virtual void UseSoundFont(const std::string& path) = 0;
};

// The outputs of this machine.
class SystemOutputChoice final : public OutputChoice {
public:
    explicit SystemOutputChoice(SystemMidiOutputs& outputs) : outputs_(outputs) {}

    std::vector<std::string> Names() override;
    int DefaultDevice() override;
    std::string CheckSoundFont(const std::string& path) override;
    std::string StandardSoundFont() override;
    void UseSoundFont(const std::string& path) override;

private:
    SystemMidiOutputs& outputs_;
};

}  // namespace tavrino
