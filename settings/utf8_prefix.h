#pragma once

#include <cstddef>
#include <string_view>

namespace tavrino {

// The longest start of `text` of at most `most` bytes that does not end
// inside a UTF-8 character, for names cut to fit a fixed field.
constexpr std::string_view Utf8Prefix(std::string_view text, std::size_t most) {
    if (text.size() <= most) {
        return text;
    }
    std::size_t end = most;
    // Back up over continuation bytes (10xxxxxx) to the start of the character
    // the cut would split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

}  // namespace tavrino
