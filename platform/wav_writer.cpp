#include "platform/wav_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace tavrino {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;

void PutLittleEndian(std::uint8_t*& at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        *at++ = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

bool WavWriter::Open(const std::filesystem::path& path, int sampleRate, int channels) {
    file_.reset(std::fopen(path.string().c_str(), "wb"));
    sampleRate_ = sampleRate;
    channels_ = channels;
    dataBytes_ = 0;
    failed_ = file_ == nullptr;
    // The sizes are not known yet: the header is written again on Close.
    return !failed_ && WriteHeader();
}

bool WavWriter::Write(std::span<const std::int16_t> samples) {
    if (failed_ || !file_) {
        return false;
    }
    if constexpr (std::endian::native == std::endian::little) {
        failed_ = std::fwrite(samples.data(), sizeof(std::int16_t), samples.size(), file_.get()) !=
                  samples.size();
    } else {
        for (const std::int16_t sample : samples) {
            const auto bits = static_cast<std::uint16_t>(sample);
            const std::array<std::uint8_t, 2> bytes = {static_cast<std::uint8_t>(bits),
                                                       static_cast<std::uint8_t>(bits >> 8)};
            failed_ = failed_ || std::fwrite(bytes.data(), 1, 2, file_.get()) != 2;
        }
    }
    dataBytes_ += samples.size() * sizeof(std::int16_t);
    return !failed_;
}

bool WavWriter::Close() {
    if (!file_) {
        return false;
    }
    failed_ = failed_ || std::fseek(file_.get(), 0, SEEK_SET) != 0 || !WriteHeader();
    failed_ = std::fclose(file_.release()) != 0 || failed_;
    return !failed_;
}

bool WavWriter::WriteHeader() {
    // A WAV file cannot say more than 4 GiB; a longer one keeps the largest
    // size and stays readable by players that read to the end.
    const auto data = static_cast<std::uint32_t>(std::min<std::uint64_t>(
        dataBytes_, std::numeric_limits<std::uint32_t>::max() - kHeaderBytes));
    const auto blockAlign = static_cast<std::uint32_t>(channels_ * 2);
    std::array<std::uint8_t, kHeaderBytes> header{};
    std::uint8_t* at = header.data();
    for (const char c : {'R', 'I', 'F', 'F'}) {
        *at++ = static_cast<std::uint8_t>(c);
    }
    PutLittleEndian(at, data + kHeaderBytes - 8, 4);
    for (const char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) {
        *at++ = static_cast<std::uint8_t>(c);
    }
    PutLittleEndian(at, 16, 4);  // the format chunk's size
    PutLittleEndian(at, 1, 2);   // PCM
    PutLittleEndian(at, static_cast<std::uint32_t>(channels_), 2);
    PutLittleEndian(at, static_cast<std::uint32_t>(sampleRate_), 4);
    PutLittleEndian(at, static_cast<std::uint32_t>(sampleRate_) * blockAlign, 4);
    PutLittleEndian(at, blockAlign, 2);
    PutLittleEndian(at, 16, 2);  // bits per sample
    for (const char c : {'d', 'a', 't', 'a'}) {
        *at++ = static_cast<std::uint8_t>(c);
    }
    PutLittleEndian(at, data, 4);
    return std::fwrite(header.data(), 1, header.size(), file_.get()) == header.size();
}

}  // namespace tavrino
