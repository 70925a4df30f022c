#pragma once

#include <array>
#include <cstdint>

namespace tavrino {

// One record of a stream buffer: 12 bytes, played `deltaTicks` after the
// record before it.
//
// The event word holds the record's type in bits 24-31 and its parameter in
// bits 0-23: a channel message (status, data 1, data 2 from the low byte up),
// a tempo in microseconds per quarter note, or a position marker. A marker's
// parameter may need more than 24 bits (see position_marker.h); its bits 24-31
// travel in `markerHigh`, which is 0 in every other record.
struct StreamRecord {
    std::uint32_t deltaTicks = 0;
    std::uint32_t markerHigh = 0;
    std::uint32_t event = 0;
};
static_assert(sizeof(StreamRecord) == 12);

inline constexpr std::uint32_t kShortMessageType = 0x00;
inline constexpr std::uint32_t kTempoType = 0x01;
inline constexpr std::uint32_t kNopType = 0x02;
// Asks the stream to report the record to its client when it is reached.
inline constexpr std::uint32_t kCallbackFlag = 0x40;

constexpr std::uint32_t RecordType(std::uint32_t event) {
    return event >> 24;
}
constexpr std::uint32_t RecordParameter(std::uint32_t event) {
    return event & 0xFFFFFF;
}
// A marker is a no-operation record: type bit 1, whatever the flags.
constexpr bool IsMarkerType(std::uint32_t event) {
    return (RecordType(event) & kNopType) != 0;
}
// A marker's whole parameter, its bits 24-31 put back from `markerHigh`.
constexpr std::uint32_t MarkerParameter(const StreamRecord& record) {
    return RecordParameter(record.event) | record.markerHigh << 24;
}

// Status with its channel, then the two data bytes; data bytes are cut to 7
// bits so that no device finds a status byte where data belongs.
constexpr std::uint32_t ShortMessageWord(int status, int data1, int data2) {
    return static_cast<std::uint32_t>(status & 0xFF) |
           static_cast<std::uint32_t>(data1 & 0x7F) << 8 |
           static_cast<std::uint32_t>(data2 & 0x7F) << 16;
}

// A buffer holds what fits in 8192 bytes of records.
inline constexpr std::size_t kStreamBufferBytes = 8192;
inline constexpr std::size_t kRecordsPerBuffer = kStreamBufferBytes / sizeof(StreamRecord);

// The unit the player fills and the stream plays: records plus the word the
// player keeps with them.
struct StreamBuffer {
    static constexpr std::uint32_t kSongEnded = 0x1;  // user bit: the song's end was reached

    void Clear() { recordCount = 0; }
    bool Full() const { return recordCount == records.size(); }

    std::array<StreamRecord, kRecordsPerBuffer> records{};
    std::uint32_t recordCount = 0;
    std::uint32_t user = 0;
};

}  // namespace tavrino
