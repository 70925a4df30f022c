#pragma once

// Builds Standard MIDI File bytes inside a test, so every case shows exactly
// what the reader is given.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "song/midi_song.h"

namespace tavrino::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes VarLen(std::uint32_t value) {
    Bytes groups{static_cast<std::uint8_t>(value & 0x7F)};
    while ((value >>= 7) != 0) {
        groups.insert(groups.begin(), static_cast<std::uint8_t>((value & 0x7F) | 0x80));
    }
    return groups;
}

inline void Append(Bytes& to, const Bytes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

inline Bytes Be32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

inline Bytes Header(int format, int tracks, int division, std::uint32_t length = 6) {
    Bytes bytes{'M', 'T', 'h', 'd'};
    Append(bytes, Be32(length));
    for (const int value : {format, tracks, division}) {
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    bytes.resize(8 + length, 0);
    return bytes;
}

// A track chunk around the given event bytes (deltas included).
inline Bytes Chunk(const Bytes& events) {
    Bytes bytes{'M', 'T', 'r', 'k'};
    Append(bytes, Be32(static_cast<std::uint32_t>(events.size())));
    Append(bytes, events);
    return bytes;
}

inline Bytes File(const Bytes& header, std::initializer_list<Bytes> chunks) {
    Bytes bytes = header;
    for (const Bytes& chunk : chunks) {
        Append(bytes, Chunk(chunk));
    }
    return bytes;
}

inline Bytes Meta(std::uint32_t delta, int type, const std::string& payload) {
    Bytes bytes = VarLen(delta);
    bytes.push_back(0xFF);
    bytes.push_back(static_cast<std::uint8_t>(type));
    Append(bytes, VarLen(static_cast<std::uint32_t>(payload.size())));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

inline Bytes EndOfTrack(std::uint32_t delta = 0) {
    return Meta(delta, 0x2F, "");
}

// Delta plus raw bytes (status and data as given).
inline Bytes Ev(std::uint32_t delta, std::initializer_list<int> bytes) {
    Bytes out = VarLen(delta);
    for (const int byte : bytes) {
        out.push_back(static_cast<std::uint8_t>(byte));
    }
    return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        Append(out, part);
    }
    return out;
}

}  // namespace tavrino::test
