#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "platform/midi_output.h"
#include "platform/synthesizer.h"
#include "platform/wav_writer.h"

namespace tavrino {

// The built-in synthesizer heard live through the system's sound output.
class LiveSynthOutput final : public MidiOutput {
public:
    // Through `audioDriver`, or the first that starts when empty. Empty,
    // with `problem` set, when the SoundFont or the sound output fail;
    // `report` tells how the sound output started.
    static std::shared_ptr<LiveSynthOutput> Open(const std::filesystem::path& soundFont,
                                                 std::string_view audioDriver,
                                                 AudioStartReport& report, std::string& problem);

    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override;

private:
    explicit LiveSynthOutput(std::unique_ptr<Synthesizer> synthesizer)
        : synthesizer_(std::move(synthesizer)) {}

    std::unique_ptr<Synthesizer> synthesizer_;
};

// The built-in synthesizer rendering into a WAV file: each message sounds at
// its due time on the stream's clock (a virtual clock renders as fast as the
// machine allows), and the audio runs on in between.
class WavRenderOutput final : public MidiOutput {
public:
    static std::shared_ptr<WavRenderOutput> Open(const std::filesystem::path& soundFont,
                                                 const std::filesystem::path& wavFile,
                                                 std::string& problem);

    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override;
    // Renders on to `time` plus the release of the last notes and completes
    // the file; false when it could not be written.
    bool Finish(std::int64_t time);

    static constexpr std::int64_t kReleaseTail = 1'000'000'000;

private:
    WavRenderOutput(std::unique_ptr<Synthesizer> synthesizer, WavWriter writer)
        : synthesizer_(std::move(synthesizer)), writer_(std::move(writer)) {}
    // Renders up to the frame of `time`; false when writing failed.
    bool RenderUntil(std::int64_t time);

    std::unique_ptr<Synthesizer> synthesizer_;
    std::mutex mutex_;
    WavWriter writer_;
    std::int64_t frames_ = 0;
    bool writeFailed_ = false;
};

}  // namespace tavrino
