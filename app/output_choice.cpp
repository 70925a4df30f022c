#include "app/output_choice.h"

#include "platform/soundfont_locator.h"
#include "platform/synthesizer.h"
#include "platform/system_midi_outputs.h"

namespace tavrino {

std::vector<std::string> SystemOutputChoice::Names() {
    // Ports come and go while the program runs.
    outputs_.Refresh();
    std::vector<std::string> names;
    for (int device = 0; device < outputs_.Count(); ++device) {
        names.push_back(outputs_.Name(device));
    }
    return names;
}

int SystemOutputChoice::DefaultDevice() {
    return outputs_.DefaultDevice();
}

std::string SystemOutputChoice::CheckSoundFont(const std::string& path) {
    std::string problem;
    Synthesizer::Create(path, problem);
    return problem;
}

std::string SystemOutputChoice::StandardSoundFont() {
    const std::optional<std::filesystem::path> found = FindSoundFont();
    return found ? found->string() : std::string();
}

void SystemOutputChoice::UseSoundFont(const std::string& path) {
    outputs_.SetSoundFont(path);
}

}  // namespace tavrino
