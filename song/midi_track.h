#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "song/midi_event.h"

namespace tavrino {

// One track: its time-ordered events (owned) and what the mixer and the view
// keep about it.
class MidiTrack {
public:
    static constexpr std::int16_t kVisible = 0x1;
    static constexpr std::int16_t kHighlighted = 0x2;

    // Appends the event and makes this its track.
    MidiEvent* Add(std::unique_ptr<MidiEvent> event);

    std::size_t count() const { return events.size(); }
    MidiEvent* operator[](std::size_t index) const { return events[index].get(); }
    bool visible() const { return (flags & kVisible) != 0; }

    std::vector<std::unique_ptr<MidiEvent>> events;
    std::vector<std::uint8_t>
        channels;  // distinct channels 0-15 of its channel messages, ascending
    std::string name;
    std::uint8_t velocityPercent = 100;  // 0-200, applied to note-ons while playing
    std::int16_t flags = kVisible;
    std::int32_t textCount = 0;
    std::int32_t lyricCount = 0;
};

}  // namespace tavrino
