#include "platform/synthesizer.h"

#include <fluidsynth.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

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
#if !defined(_WIN32)
        // Trying JACK must not start a server of its own: only one the user
        // runs is worth playing through.
        setenv("JACK_NO_START_SERVER", "1", 0);
#endif
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

// One start of an audio driver on a thread of its own, so that the caller
// can give up on it.
struct DriverStart {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    fluid_audio_driver_t* driver = nullptr;
    std::string error;
};

}  // namespace

struct Synthesizer::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;

    ~Engine() {
        if (synth != nullptr) {
            delete_fluid_synth(synth);
        }
        if (settings != nullptr) {
            delete_fluid_settings(settings);
        }
    }
};

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
    auto engine = std::make_shared<Engine>();
    synthesizer->engine_ = engine;
    engine->settings = new_fluid_settings();
    if (engine->settings != nullptr) {
        fluid_settings_setnum(engine->settings, "synth.sample-rate", kSampleRate);
        // Heard at once on JACK, under our name in every server's lists.
        fluid_settings_setint(engine->settings, "audio.jack.autoconnect", 1);
        fluid_settings_setstr(engine->settings, "audio.jack.id", "Tavrino");
        fluid_settings_setstr(engine->settings, "audio.pulseaudio.media-role", "music");
        engine->synth = new_fluid_synth(engine->settings);
    }
    if (engine->synth == nullptr) {
        problem = "the synthesizer cannot start" + Because();
        return nullptr;
    }
    if (fluid_synth_sfload(engine->synth, soundFont.string().c_str(), 1) == FLUID_FAILED) {
        problem = "cannot read the SoundFont " + soundFont.string() + Because();
        return nullptr;
    }
    return synthesizer;
}

Synthesizer::~Synthesizer() {
    if (audio_ != nullptr) {
        delete_fluid_audio_driver(audio_);
    }
}

bool Synthesizer::StartAudio(std::string_view driver, AudioStartReport& report) {
    const std::span<const std::string_view> order = AudioDriverOrder();
    const std::span<const std::string_view> tried =
        driver.empty() ? order : std::span<const std::string_view>(&driver, 1);
    for (const std::string_view name : tried) {
        std::string reason;
        audio_ = StartDriver(name, reason);
        if (audio_ != nullptr) {
            report.driver = name;
            return true;
        }
        report.failures.push_back({std::string(name), reason});
    }
    return false;
}

fluid_audio_driver_t* Synthesizer::StartDriver(std::string_view name, std::string& reason) {
    fluid_settings_setstr(engine_->settings, "audio.driver", std::string(name).c_str());
    const auto start = std::make_shared<DriverStart>();
    try {
        std::thread([engine = engine_, start] {
            lastFluidError.clear();
            fluid_audio_driver_t* driver = new_fluid_audio_driver(engine->settings, engine->synth);
            std::unique_lock lock(start->mutex);
            if (start->abandoned) {
                lock.unlock();
                if (driver != nullptr) {
                    delete_fluid_audio_driver(driver);
                }
                return;
            }
            start->driver = driver;
            start->error = lastFluidError;
            start->done = true;
            start->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        reason = "no thread to start it on";
        return nullptr;
    }
    std::unique_lock lock(start->mutex);
    if (!start->finished.wait_for(lock, kAudioStartLimit, [&start] { return start->done; })) {
        start->abandoned = true;
        reason =
            "it did not start within " + std::to_string(kAudioStartLimit.count() / 1000) + " s";
        return nullptr;
    }
    if (start->driver == nullptr) {
        reason = start->error.empty() ? "it cannot start" : start->error;
    }
    return start->driver;
}

void Synthesizer::Play(std::span<const std::uint8_t> message) {
    const int channel = message[0] & 0x0F;
    const int data1 = message.size() > 1 ? message[1] : 0;
    const int data2 = message.size() > 2 ? message[2] : 0;
    switch (message[0] & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(engine_->synth, channel, data1);
            break;
        case 0x90:
            if (data2 == 0) {
                fluid_synth_noteoff(engine_->synth, channel, data1);
            } else {
                fluid_synth_noteon(engine_->synth, channel, data1, data2);
            }
            break;
        case 0xA0:
            fluid_synth_key_pressure(engine_->synth, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(engine_->synth, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(engine_->synth, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(engine_->synth, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(engine_->synth, channel, data1 | data2 << 7);
            break;
        default:
            break;
    }
}

void Synthesizer::Render(std::span<std::int16_t> interleaved) {
    fluid_synth_write_s16(engine_->synth, static_cast<int>(interleaved.size() / 2),
                          interleaved.data(), 0, 2, interleaved.data(), 1, 2);
}

}  // namespace tavrino
