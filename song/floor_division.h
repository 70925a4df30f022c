#pragma once

namespace tavrino {

// Division and remainder rounding down, so that keys and staff positions
// below zero fall into lower octaves with the right names. The divisor is
// positive.
constexpr int FloorDiv(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

constexpr int FloorMod(int value, int divisor) {
    return value - divisor * FloorDiv(value, divisor);
}

}  // namespace tavrino
