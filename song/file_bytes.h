#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tavrino {

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

enum class CheckedReadResult {
    kRead,
    kCannotOpen,  // or a read failed; errno tells why
    kRefused,     // the first bytes are not what the caller reads
    kTooLarge,
};

// A file's bytes, held without the zero-filling a vector would do first.
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
    std::span<const std::uint8_t> span() const { return {bytes.get(), size}; }
};

// Reads a file of at most `limit` bytes, but first shows its first
// `startSize` bytes (fewer when the file is shorter) to `accepts`, so that a
// file of another kind is refused before it is read. Pipes and devices are
// read as they come, up to the limit.
CheckedReadResult ReadCheckedFile(const std::string& path, std::size_t startSize,
                                  const std::function<bool(std::span<const std::uint8_t>)>& accepts,
                                  std::size_t limit, FileBytes& read);

// Replaces the file at `path` with `bytes`, or leaves it untouched: the bytes
// go to a new file in the same folder, every write and the close are checked,
// and only then is it renamed over the target. False on any failure, with
// errno telling why.
bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tavrino
