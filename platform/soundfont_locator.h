#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace tavrino {

// Where General MIDI SoundFonts are installed, most likely first: the
// system's default, the one the setup script installs, other common ones,
// then any .sf2 file in the usual SoundFont folders, then any .sf3 file.
std::vector<std::filesystem::path> StandardSoundFontPlaces();

// The SoundFont the built-in synthesizer uses: `chosen` when the user named
// one (whether or not it exists, so that the problem is reported), else the
// first that exists in the standard places. Empty when there is none.
std::optional<std::filesystem::path> FindSoundFont(const std::filesystem::path& chosen = {});

}  // namespace tavrino
