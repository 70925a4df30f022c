#include "platform/recording_output.h"

#include <algorithm>

namespace tavrino {

RecordingOutput::RecordingOutput(const StreamClock& clock, std::size_t expected) : clock_(clock) {
    messages_.reserve(expected);
}

bool RecordingOutput::Send(std::span<const std::uint8_t> message, std::int64_t time) {
    RecordedMessage recorded;
    recorded.arrived = clock_.Now();
    recorded.due = time;
    recorded.size = static_cast<std::uint8_t>(std::min(message.size(), recorded.bytes.size()));
    std::copy_n(message.begin(), recorded.size, recorded.bytes.begin());
    const std::lock_guard lock(mutex_);
    messages_.push_back(recorded);
    return true;
}

std::vector<RecordedMessage> RecordingOutput::Messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
}

}  // namespace tavrino
