#include "platform/synth_outputs.h"

#include <algorithm>
#include <array>

namespace tavrino {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr std::int64_t kFramesPerBlock = 4096;

std::int64_t FrameAt(std::int64_t time) {
    return std::max<std::int64_t>(time, 0) * Synthesizer::kSampleRate / kNanosecondsPerSecond;
}

}  // namespace

std::shared_ptr<LiveSynthOutput> LiveSynthOutput::Open(const std::filesystem::path& soundFont,
                                                       std::string_view audioDriver,
                                                       AudioStartReport& report,
                                                       std::string& problem) {
    std::unique_ptr<Synthesizer> synthesizer = Synthesizer::Create(soundFont, problem);
    if (!synthesizer) {
        return nullptr;
    }
    if (!synthesizer->StartAudio(audioDriver, report)) {
        problem = "the built-in synthesizer " + report.Describe();
        return nullptr;
    }
    return std::shared_ptr<LiveSynthOutput>(new LiveSynthOutput(std::move(synthesizer)));
}

bool LiveSynthOutput::Send(std::span<const std::uint8_t> message, std::int64_t) {
    synthesizer_->Play(message);
    return true;
}

std::shared_ptr<WavRenderOutput> WavRenderOutput::Open(const std::filesystem::path& soundFont,
                                                       const std::filesystem::path& wavFile,
                                                       std::string& problem) {
    std::unique_ptr<Synthesizer> synthesizer = Synthesizer::Create(soundFont, problem);
    if (!synthesizer) {
        return nullptr;
    }
    WavWriter writer;
    if (!writer.Open(wavFile, Synthesizer::kSampleRate, 2)) {
        problem = "cannot write " + wavFile.string();
        return nullptr;
    }
    return std::shared_ptr<WavRenderOutput>(
        new WavRenderOutput(std::move(synthesizer), std::move(writer)));
}

bool WavRenderOutput::Send(std::span<const std::uint8_t> message, std::int64_t time) {
    const std::lock_guard lock(mutex_);
    if (!RenderUntil(time)) {
        return false;
    }
    synthesizer_->Play(message);
    return true;
}

bool WavRenderOutput::Finish(std::int64_t time) {
    const std::lock_guard lock(mutex_);
    const bool rendered = RenderUntil(time + kReleaseTail);
    return writer_.Close() && rendered;
}

bool WavRenderOutput::RenderUntil(std::int64_t time) {
    std::array<std::int16_t, 2 * kFramesPerBlock> block{};
    for (std::int64_t target = FrameAt(time); frames_ < target && !writeFailed_;) {
        const std::int64_t frames = std::min(target - frames_, kFramesPerBlock);
        const std::span samples(block.data(), static_cast<std::size_t>(2 * frames));
        synthesizer_->Render(samples);
        writeFailed_ = !writer_.Write(samples);
        frames_ += frames;
    }
    return !writeFailed_;
}

}  // namespace tavrino
