#include "player/buffer_filler.h"

#include <algorithm>
#include <limits>

#include "player/position_marker.h"

namespace tavrino {

std::uint32_t EventWord(const MidiEvent& event) {
    if (event.kind() == EventKind::Tempo) {
        return kTempoType << 24 | (static_cast<std::uint32_t>(event.value()) & 0xFFFFFF);
    }
    int data2 = event.data2 & 0x7F;
    if (event.kind() == EventKind::NoteOn && event.track != nullptr) {
        data2 = std::min(data2 * event.track->velocityPercent / 100, 127);
    }
    return ShortMessageWord(event.status, event.data1, data2);
}

void BufferFiller::Start(std::int64_t tick, std::size_t eventIndex) {
    tick_ = tick;
    eventIndex_ = eventIndex;
    pendingDelta_ = 0;
    songEnded_ = false;
    stage_ = Stage::kTickMarker;
    eventMarkerWritten_ = false;
}

bool BufferFiller::FillSong(StreamBuffer& buffer, const MessageList& messages, const Grid& grid) {
    buffer.Clear();
    const std::int64_t end = tick_ + grid.step;
    while (tick_ < end && VisitTick(buffer, messages, grid)) {
    }
    buffer.user = songEnded_ ? StreamBuffer::kSongEnded : 0;
    return songEnded_;
}

bool BufferFiller::VisitTick(StreamBuffer& buffer, const MessageList& messages, const Grid& grid) {
    const std::int64_t t = tick_;
    if (stage_ == Stage::kTickMarker) {
        if (t % grid.step == 0 && t <= PositionMarker::kLargestValue &&
            !AppendMarker(buffer, PositionMarker::Tick(static_cast<std::uint32_t>(t)))) {
            return false;
        }
        stage_ = Stage::kEvents;
        eventMarkerWritten_ = false;
    }
    if (stage_ == Stage::kEvents) {
        // Taking every event up to t, not only those at t, keeps the walk going
        // forward whatever the list holds.
        for (; eventIndex_ < messages.size() && messages[eventIndex_]->time <= t; ++eventIndex_) {
            const MidiEvent& event = *messages[eventIndex_];
            if (!IsChannelKind(event.kind()) && event.kind() != EventKind::Tempo) {
                continue;
            }
            if (!eventMarkerWritten_) {
                if (eventIndex_ <= PositionMarker::kLargestValue &&
                    !AppendMarker(buffer,
                                  PositionMarker::Event(static_cast<std::uint32_t>(eventIndex_)))) {
                    return false;
                }
                eventMarkerWritten_ = true;
            }
            if (!Append(buffer, EventWord(event))) {
                return false;
            }
        }
        songEnded_ = songEnded_ || eventIndex_ >= messages.size();
        stage_ = Stage::kMetronome;
    }
    if (grid.editMode) {
        if (t % grid.division == 0) {
            if (!Append(buffer, kClickOn)) {
                return false;
            }
        } else if ((t - grid.step) % grid.division == 0 && !Append(buffer, kClickOff)) {
            return false;
        }
    }
    std::int64_t distance = grid.step - t % grid.step;
    if (eventIndex_ < messages.size()) {
        distance = std::min<std::int64_t>(distance, messages[eventIndex_]->time - t);
    }
    pendingDelta_ += distance;
    tick_ += distance;
    stage_ = Stage::kTickMarker;
    return true;
}

void BufferFiller::FillCountIn(StreamBuffer& buffer, std::int64_t beat, int beats) {
    buffer.Clear();
    const std::int64_t phase = tick_ % beat;
    // A start in the first half of its beat counts in to that beat, a later
    // one to the next.
    const bool early = phase < beat / 2;
    pendingDelta_ = early ? beat - phase : 2 * beat - phase;
    for (int i = 0; i < beats; ++i) {
        Append(buffer, kClickOn);
        pendingDelta_ = beat / 8;
        Append(buffer, kClickOff);
        pendingDelta_ = beat - beat / 8;
    }
    pendingDelta_ += early ? phase : phase - beat;
    buffer.user = 0;
}

bool BufferFiller::Append(StreamBuffer& buffer, std::uint32_t event, std::uint32_t markerHigh) {
    if (buffer.Full()) {
        return false;
    }
    const auto delta = static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(pendingDelta_, 0, std::numeric_limits<std::uint32_t>::max()));
    buffer.records[buffer.recordCount++] = {delta, markerHigh, event};
    pendingDelta_ = 0;
    return true;
}

bool BufferFiller::AppendMarker(StreamBuffer& buffer, std::uint32_t parameter) {
    constexpr std::uint32_t kMarker = (kNopType | kCallbackFlag) << 24;
    return Append(buffer, kMarker | RecordParameter(parameter), parameter >> 24);
}

std::size_t BufferFiller::FirstAtOrAfterCursor(const MessageList& messages) const {
    const auto first =
        std::partition_point(messages.begin(), messages.end(),
                             [this](const MidiEvent* event) { return event->time < tick_; });
    return static_cast<std::size_t>(first - messages.begin());
}

std::size_t BufferFiller::TakenAtCursor(const MessageList& messages) const {
    return eventIndex_ - std::min(eventIndex_, FirstAtOrAfterCursor(messages));
}

void BufferFiller::Resume(const MessageList& messages, std::size_t takenAtCursor) {
    eventIndex_ = std::min(FirstAtOrAfterCursor(messages) + takenAtCursor, messages.size());
}

}  // namespace tavrino
