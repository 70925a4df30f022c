#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tavrino {

// A bounded, big-endian reader over a file held in memory. Reading past the
// end sets a sticky end-of-file mark (cleared by Seek) and yields -1, as the
// reader's error handling expects; every read also counts down the bytes left
// in the current chunk.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t position() const { return position_; }
    std::size_t remainingInFile() const {
        return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    }
    bool atEnd() const { return atEnd_; }
    void Seek(std::size_t position) {
        position_ = position;
        atEnd_ = false;
    }

    // Counts down with every byte consumed.
    std::int64_t chunkRemaining = 0;

    int Byte() {
        if (position_ >= bytes_.size()) {
            atEnd_ = true;
            return -1;
        }
        --chunkRemaining;
        return bytes_[position_++];
    }

    int Read16() {
        const int high = Byte();
        const int low = Byte();
        return atEnd_ ? -1 : (high << 8) | low;
    }

    // A value of 0xFFFFFFFF counts as a failed read.
    std::int64_t Read32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | static_cast<std::uint8_t>(Byte());
        }
        return atEnd_ || value == 0xFFFFFFFFu ? -1 : std::int64_t{value};
    }

    // Variable-length quantity: seven bits a byte, most significant first.
    // Saturates instead of overflowing on absurdly long quantities.
    std::int64_t ReadVarLen() {
        std::int64_t value = 0;
        int byte;
        do {
            byte = Byte();
            if (byte < 0) {
                return -1;
            }
            value = value > (kSaturated >> 7) ? kSaturated : (value << 7) | (byte & 0x7F);
        } while (byte & 0x80);
        return value;
    }

    // Copies `count` bytes; false (and end of file) when fewer are left.
    bool ReadBytes(std::uint8_t* target, std::size_t count) {
        if (count > remainingInFile()) {
            chunkRemaining -= static_cast<std::int64_t>(remainingInFile());
            position_ = bytes_.size();
            atEnd_ = true;
            return false;
        }
        if (count > 0) {
            std::memcpy(target, bytes_.data() + position_, count);
        }
        position_ += count;
        chunkRemaining -= static_cast<std::int64_t>(count);
        return true;
    }

    static constexpr std::int64_t kSaturated = std::int64_t{1} << 40;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool atEnd_ = false;
};

}  // namespace tavrino
