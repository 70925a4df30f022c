#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "settings/utf8_prefix.h"

namespace tavrino {

// A name in a field of Size bytes, terminator included, as a tuning record
// keeps it. Text that does not fit is cut at a character boundary, so no
// name from a file can outgrow its field.
template <std::size_t Size>
class FixedName {
public:
    static constexpr std::size_t kLimit = Size - 1;  // characters, without the terminator

    constexpr FixedName() = default;
    // Implicit, so that the tables of built-in tunings read as plain text.
    constexpr FixedName(std::string_view text) { assign(text); }

    constexpr void assign(std::string_view text) {
        const std::string_view kept = Utf8Prefix(text, kLimit);
        chars_ = {};
        for (std::size_t i = 0; i < kept.size(); ++i) {
            chars_[i] = kept[i];
        }
        length_ = kept.size();
    }

    constexpr std::string_view view() const { return {chars_.data(), length_}; }

private:
    std::array<char, Size> chars_{};
    std::size_t length_ = 0;
};

}  // namespace tavrino
