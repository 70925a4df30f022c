#include "platform/audio_drivers.h"

#include <algorithm>
#include <array>

namespace tavrino {

namespace {

#if defined(_WIN32)
constexpr std::array<std::string_view, 3> kOrder = {"wasapi", "dsound", "waveout"};
#elif defined(__APPLE__)
constexpr std::array<std::string_view, 1> kOrder = {"coreaudio"};
#else
constexpr std::array<std::string_view, 3> kOrder = {"pulseaudio", "jack", "alsa"};
#endif

}  // namespace

std::span<const std::string_view> AudioDriverOrder() {
    return kOrder;
}

bool IsAudioDriver(std::string_view name) {
    return std::find(kOrder.begin(), kOrder.end(), name) != kOrder.end();
}

std::string AudioDriverList() {
    std::string list;
    for (const std::string_view name : kOrder) {
        list += (list.empty() ? "" : ", ") + std::string(name);
    }
    return list;
}

std::string AudioStartReport::Describe() const {
    if (!driver.empty()) {
        return "plays through " + driver;
    }
    std::string reasons;
    for (const Failure& failure : failures) {
        reasons += (reasons.empty() ? "" : "; ") + failure.driver + ": " + failure.reason;
    }
    return "has no sound output (" + reasons + ")";
}

}  // namespace tavrino
