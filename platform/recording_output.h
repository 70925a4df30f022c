#pragma once

#include <array>
#include <mutex>
#include <vector>

#include "platform/midi_output.h"
#include "platform/stream_clock.h"

namespace tavrino {

struct RecordedMessage {
    std::int64_t due = 0;      // when the stream meant it to sound
    std::int64_t arrived = 0;  // when it reached the output, on the same clock
    std::array<std::uint8_t, 3> bytes{};
    std::uint8_t size = 0;
};

// An output that keeps every message it receives, for tests, the trace
// command and timing measurements.
class RecordingOutput final : public MidiOutput {
public:
    // Room for `expected` messages is made up front, so that recording a song
    // of that size allocates nothing while it plays.
    explicit RecordingOutput(const StreamClock& clock, std::size_t expected = 1 << 16);

    bool Send(std::span<const std::uint8_t> message, std::int64_t time) override;
    std::vector<RecordedMessage> Messages() const;

private:
    const StreamClock& clock_;
    mutable std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
};

}  // namespace tavrino
