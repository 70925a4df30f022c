#pragma once

#include <cstdint>

namespace tavrino {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour in the form the settings store it, 0x00BBGGRR (red in the low
// byte), so that stores written by earlier versions keep their meaning. The
// drawing layer asks for ToRgb and never decodes the bytes itself.
struct Colour {
    std::uint32_t stored = 0;

    static constexpr std::uint32_t kLargestStored = 0xFFFFFF;

    constexpr Rgb ToRgb() const {
        return {static_cast<std::uint8_t>(stored & 0xFF),
                static_cast<std::uint8_t>((stored >> 8) & 0xFF),
                static_cast<std::uint8_t>((stored >> 16) & 0xFF)};
    }

    friend bool operator==(const Colour&, const Colour&) = default;
};

}  // namespace tavrino
