#include "platform/synthesizer.h"

#include <fluidsynth.h>

#include <mutex>
#include <system_error>

namespace tavrino {

namespace {

// FluidSynth reports its errors through a log; we keep the last one of this
// thread to tell the user, and print nothing.
thread_local std::string lastFluidError;

void KeepError(int level, const char* message, void*) {
    if (level == FLUID_PANIC || level == FLUID_ERR) {
        lastFluidError = message != nullptr ? message : "";
    }
}

void Ignore(int, const char*, void*) {}

void CaptureFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, KeepError, nullptr);
        fluid_set_log_function(FLUID_ERR, KeepError, nullptr);
        fluid_set_log_function(FLUID_WARN, Ignore, nullptr);
        fluid_set_log_function(FLUID_INFO, Ignore, nullptr);
        fluid_set_log_function(FLUID_DBG, Ignore, nullptr);
    });
}

std::string Because() {
    return lastFluidError.empty() ? std::string() : " (" + lastFluidError + ")";
}

}  // namespace

std::unique_ptr<Synthesizer> Synthesizer::Create(const std::filesystem::path& soundFont,
                                                 std::string& problem) {
    CaptureFluidLog();
    lastFluidError.clear();
    std::error_code error;
    if (!std::filesystem::is_regular_file(soundFont, error)) {
        problem = "no SoundFont at " + soundFont.string();
        return nullptr;
    }
    std::unique_ptr<Synthesizer> synthesizer(new Synthesizer);
    synthesizer->settings_ = new_fluid_settings();
    if (synthesizer->settings_ != nullptr) {
        fluid_settings_setnum(synthesizer->settings_, "synth.sample-rate", kSampleRate);
        synthesizer->synth_ = new_fluid_synth(synthesizer->settings_);
    }
    if (synthesizer->synth_ == nullptr) {
        problem = "the synthesizer cannot start" + Because();
        return nullptr;
    }
    if (fluid_synth_sfload(synthesizer->synth_, soundFont.string().c_str(), 1) == FLUID_FAILED) {
        problem = "cannot read the SoundFont " + soundFont.string() + Because();
        return nullptr;
    }
    return synthesizer;
}

Synthesizer::~Synthesizer() {
    if (audio_ != nullptr) {
        delete_fluid_audio_driver(audio_);
    }
    if (synth_ != nullptr) {
        delete_fluid_synth(synth_);
    }
    if (settings_ != nullptr) {
        delete_fluid_settings(settings_);
    }
}

bool Synthesizer::StartAudio(std::string& problem) {
    lastFluidError.clear();
    audio_ = new_fluid_audio_driver(settings_, synth_);
    if (audio_ == nullptr) {
        problem = "the sound output cannot start" + Because();
        return false;
    }
    return true;
}

void Synthesizer::Play(std::span<const std::uint8_t> message) {
    const int channel = message[0] & 0x0F;
    const int data1 = message.size() > 1 ? message[1] : 0;
    const int data2 = message.size() > 2 ? message[2] : 0;
    switch (message[0] & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            if (data2 == 0) {
                fluid_synth_noteoff(synth_, channel, data1);
            } else {
                fluid_synth_noteon(synth_, channel, data1, data2);
            }
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
            break;
        default:
            break;
    }
}

void Synthesizer::Render(std::span<std::int16_t> interleaved) {
    fluid_synth_write_s16(synth_, static_cast<int>(interleaved.size() / 2), interleaved.data(), 0,
                          2, interleaved.data(), 1, 2);
}

}  // namespace tavrino
