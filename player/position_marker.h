#pragma once

#include <cstdint>

namespace tavrino {

// The parameter of a position marker, as the stream reports it and the main
// frame reads it: a tick marker (bit 23 set) carries a song tick, an event
// marker (bit 23 clear) the index of an event in the song's message list.
//
// Values below 2^23 are encoded as the value itself, plus bit 23 for a tick.
// Larger values (long songs at a fine division, huge event lists) keep bits
// 0-22 in place and move the rest above bit 23, so that the kind bit is never
// overwritten and no marker reads as another; every value up to 2^31 - 1
// fits.
struct PositionMarker {
    static constexpr std::uint32_t kTickBit = 0x800000;
    static constexpr std::uint32_t kLowBits = kTickBit - 1;
    static constexpr std::int64_t kLargestValue = 0x7FFFFFFF;

    static constexpr std::uint32_t Encode(bool tick, std::uint32_t value) {
        return (value & kLowBits) | (tick ? kTickBit : 0) | (value >> 23) << 24;
    }
    static constexpr std::uint32_t Tick(std::uint32_t tick) { return Encode(true, tick); }
    static constexpr std::uint32_t Event(std::uint32_t index) { return Encode(false, index); }

    static constexpr bool IsTick(std::uint32_t parameter) { return (parameter & kTickBit) != 0; }
    static constexpr std::uint32_t Value(std::uint32_t parameter) {
        return (parameter & kLowBits) | (parameter >> 24) << 23;
    }
};

}  // namespace tavrino
