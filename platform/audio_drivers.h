#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino {

// The sound outputs the built-in synthesizer tries, in order: the desktop's
// sound server first (PipeWire serves PulseAudio clients too), then JACK,
// then the bare device.
std::span<const std::string_view> AudioDriverOrder();
bool IsAudioDriver(std::string_view name);
// "pulseaudio, jack, alsa": for help texts and usage errors.
std::string AudioDriverList();

// How the synthesizer's sound output started: the driver that plays, or
// none, and why each one tried did not start.
struct AudioStartReport {
    struct Failure {
        std::string driver;
        std::string reason;
    };
    std::string driver;  // empty when none started
    std::vector<Failure> failures;

    // "plays through jack" or "has no sound output (pulseaudio: ...; jack: ...)".
    std::string Describe() const;
};

}  // namespace tavrino
