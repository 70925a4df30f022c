#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>

namespace tavrino {

// A 16-bit PCM WAV file, written as the samples come; Close fills in the
// sizes the header needs.
class WavWriter {
public:
    bool Open(const std::filesystem::path& path, int sampleRate, int channels);
    // Interleaved samples; false without an open file.
    bool Write(std::span<const std::int16_t> samples);
    // False when anything could not be written.
    bool Close();

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    bool WriteHeader();

    std::unique_ptr<std::FILE, FileCloser> file_;
    int sampleRate_ = 0;
    int channels_ = 0;
    std::uint64_t dataBytes_ = 0;
    bool failed_ = false;
};

}  // namespace tavrino
