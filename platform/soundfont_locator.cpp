#include "platform/soundfont_locator.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace tavrino {

namespace {

std::filesystem::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// The folders SoundFonts are kept in, on every system we run on.
std::vector<std::filesystem::path> SoundFontFolders() {
    std::vector<std::filesystem::path> folders = {
        "/usr/share/sounds/sf2", "/usr/share/soundfonts",       "/usr/local/share/soundfonts",
        "/usr/share/sounds/sf3", "/Library/Audio/Sounds/Banks",
    };
    if (const auto data = FromEnvironment("XDG_DATA_HOME"); !data.empty()) {
        folders.push_back(data / "soundfonts");
    }
    if (const auto home = FromEnvironment("HOME"); !home.empty()) {
        folders.push_back(home / ".local/share/soundfonts");
        folders.push_back(home / "Library/Audio/Sounds/Banks");
    }
    if (const auto appData = FromEnvironment("APPDATA"); !appData.empty()) {
        folders.push_back(appData / "Tavrino");
    }
    return folders;
}

}  // namespace

std::vector<std::filesystem::path> StandardSoundFontPlaces() {
    std::vector<std::filesystem::path> places = {
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/soundfonts/default.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
    // Compressed .sf3 files come after every .sf2: FluidSynth reads them only
    // when built with Vorbis support.
    for (const char* extension : {".sf2", ".sf3"}) {
        for (const std::filesystem::path& folder : SoundFontFolders()) {
            std::error_code error;
            std::vector<std::filesystem::path> found;
            for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
                if (entry.path().extension() == extension) {
                    found.push_back(entry.path());
                }
            }
            std::sort(found.begin(), found.end());
            places.insert(places.end(), found.begin(), found.end());
        }
    }
    return places;
}

std::optional<std::filesystem::path> FindSoundFont(const std::filesystem::path& chosen) {
    if (!chosen.empty()) {
        return chosen;
    }
    for (const std::filesystem::path& place : StandardSoundFontPlaces()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place, error)) {
            return place;
        }
    }
    return std::nullopt;
}

}  // namespace tavrino
