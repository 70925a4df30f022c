#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/audio_drivers.h"

// FluidSynth's types, kept out of every other header.
using fluid_settings_t = struct _fluid_hashtable_t;
using fluid_synth_t = struct _fluid_synth_t;
using fluid_audio_driver_t = struct _fluid_audio_driver_t;

namespace tavrino {

// The built-in synthesizer's sound engine: FluidSynth playing a General MIDI
// SoundFont. Its calls are safe from several threads.
class Synthesizer {
public:
    static constexpr int kSampleRate = 44100;
    // A sound output that has not started by then counts as failed: a sound
    // server that accepts the connection and never answers must not hang us.
    static constexpr std::chrono::milliseconds kAudioStartLimit{2000};

    // Empty when FluidSynth cannot start or the SoundFont is missing or
    // unreadable; `problem` then says which, in words for the user.
    static std::unique_ptr<Synthesizer> Create(const std::filesystem::path& soundFont,
                                               std::string& problem);
    ~Synthesizer();
    Synthesizer(const Synthesizer&) = delete;
    Synthesizer& operator=(const Synthesizer&) = delete;

    // Plays one channel message.
    void Play(std::span<const std::uint8_t> message);
    // Renders the next `frames` frames of 16-bit stereo, interleaved.
    void Render(std::span<std::int16_t> interleaved);

    // Starts FluidSynth's own audio driver: `driver`, or when empty the
    // first of AudioDriverOrder() that starts. False when none does; the
    // report says which played or why each failed.
    bool StartAudio(std::string_view driver, AudioStartReport& report);

private:
    // What FluidSynth needs to make sound; shared with a driver start that
    // may outlive us when it blocks.
    struct Engine;

    Synthesizer() = default;
    fluid_audio_driver_t* StartDriver(std::string_view name, std::string& reason);

    std::shared_ptr<Engine> engine_;
    fluid_audio_driver_t* audio_ = nullptr;
};

}  // namespace tavrino
