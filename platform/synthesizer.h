#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

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

    // Starts FluidSynth's own audio driver on the system's sound output;
    // false, with `problem` set, when there is none it can start.
    bool StartAudio(std::string& problem);

private:
    Synthesizer() = default;

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* audio_ = nullptr;
};

}  // namespace tavrino
