#include "song/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace tavrino {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Creates a file of a fresh name beside the target ("x" fails rather than
// reuse an existing file).
FilePtr CreateSibling(const std::filesystem::path& target, std::filesystem::path& created) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".save-" + std::to_string(random() % 1000000000u);
        if (FilePtr file{std::fopen(candidate.string().c_str(), "wbx")}) {
            created = candidate;
            return file;
        }
    }
    return nullptr;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    FilePtr file{std::fopen(path.c_str(), "rb")};
    if (!file) {
        return false;
    }
    bytes.clear();
    std::error_code error;
    const auto expected = std::filesystem::file_size(path, error);
    if (!error) {
        bytes.reserve(static_cast<std::size_t>(expected));
    }
    std::uint8_t buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return std::ferror(file.get()) == 0;
}

bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path target(path);
    std::filesystem::path temporary;
    FilePtr file = CreateSibling(target, temporary);
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                         std::fflush(file.get()) == 0;
    int failure = written ? 0 : errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (written && !closed) {
        failure = errno;
    }
    std::error_code error;
    // The replacement keeps the permissions the user gave the old file.
    const auto oldStatus = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(oldStatus)) {
        std::filesystem::permissions(temporary, oldStatus.permissions(), error);
    }
    if (written && closed) {
        std::filesystem::rename(temporary, target, error);
        if (!error) {
            return true;
        }
        failure = error.value();
    }
    std::filesystem::remove(temporary, error);
    // The caller tells the user why: errno of the step that failed.
    errno = failure;
    return false;
}

}  // namespace tavrino
