#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tavrino {

// Reads a whole file; false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// Replaces the file at `path` with `bytes`, or leaves it untouched: the bytes
// go to a new file in the same folder, every write and the close are checked,
// and only then is it renamed over the target. False on any failure, with
// errno telling why.
bool WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tavrino
