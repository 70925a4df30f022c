#pragma once

// Outputs for the options without a machine's ports or synthesizer: two
// named devices, and the SoundFonts the program was told to use.

#include <string>
#include <vector>

#include "app/output_choice.h"

namespace tavrino::test {

class FakeOutputChoice : public OutputChoice {
public:
    std::vector<std::string> Names() override { return {"Synthesizer", "Port"}; }
    int DefaultDevice() override { return 0; }
    std::string CheckSoundFont(const std::string&) override { return {}; }
    std::string StandardSoundFont() override { return {}; }
    void UseSoundFont(const std::string& path) override { soundFonts.push_back(path); }

    std::vector<std::string> soundFonts;
};

}  // namespace tavrino::test
