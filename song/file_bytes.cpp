#include "song/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "song/system_path.h"

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
        if (FilePtr file{CreateNewFile(candidate)}) {
            created = candidate;
            return file;
        }
    }
    return nullptr;
}

// The file a path names once symbolic links are followed, even when the last
// link dangles: saving through a link must replace the file it points to, not
// the link itself.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMostLinks = 40;
    std::error_code error;
    for (int followed = 0;
         followed < kMostLinks && std::filesystem::is_symlink(path, error) && !error; ++followed) {
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

}  // namespace

bool ReadFileBytes(const std::string& name, std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = SystemPath(name);
    FilePtr file{OpenFile(path, "rb")};
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

CheckedReadResult ReadCheckedFile(const std::string& name, std::size_t startSize,
                                  const std::function<bool(std::span<const std::uint8_t>)>& accepts,
                                  std::size_t limit, FileBytes& read) {
    read = {};
    const std::filesystem::path path = SystemPath(name);
    FilePtr file{OpenFile(path, "rb")};
    if (!file) {
        return CheckedReadResult::kCannotOpen;
    }
    std::vector<std::uint8_t> start(startSize);
    start.resize(std::fread(start.data(), 1, startSize, file.get()));
    if (std::ferror(file.get()) != 0) {
        return CheckedReadResult::kCannotOpen;
    }
    if (!accepts(start)) {
        return CheckedReadResult::kRefused;
    }
    // A regular file is read in one piece of its size; anything else (a pipe,
    // a device) in growing steps, never beyond the limit.
    std::error_code error;
    std::uintmax_t expected = 0;
    const bool sized = std::filesystem::is_regular_file(path, error) &&
                       (expected = std::filesystem::file_size(path, error), !error);
    if (sized && expected > limit) {
        return CheckedReadResult::kTooLarge;
    }
    std::size_t capacity = sized ? std::max<std::size_t>(expected, start.size())
                                 : std::max<std::size_t>(startSize, 1 << 16);
    read.bytes = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    std::copy(start.begin(), start.end(), read.bytes.get());
    read.size = start.size();
    for (;;) {
        read.size += std::fread(read.bytes.get() + read.size, 1, capacity - read.size, file.get());
        if (sized || read.size < capacity || capacity > limit) {
            break;
        }
        const std::size_t larger = std::min(capacity * 2, limit + 1);
        auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(larger);
        std::copy_n(read.bytes.get(), read.size, grown.get());
        read.bytes = std::move(grown);
        capacity = larger;
    }
    if (std::ferror(file.get()) != 0) {
        read = {};
        return CheckedReadResult::kCannotOpen;
    }
    if (read.size > limit) {
        read = {};
        return CheckedReadResult::kTooLarge;
    }
    return CheckedReadResult::kRead;
}

bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path target = FollowLinks(SystemPath(path));
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
