#include "song/midi_track.h"

#include <algorithm>

namespace tavrino {

MidiEvent* MidiTrack::Add(std::unique_ptr<MidiEvent> event) {
    event->track = this;
    events.push_back(std::move(event));
    return events.back().get();
}

std::unique_ptr<MidiEvent> MidiTrack::RemoveEvent(const MidiEvent* event) {
    const auto found = std::find_if(events.begin(), events.end(),
                                    [event](const auto& held) { return held.get() == event; });
    if (found == events.end()) {
        return nullptr;
    }
    std::unique_ptr<MidiEvent> removed = std::move(*found);
    events.erase(found);
    return removed;
}

}  // namespace tavrino
