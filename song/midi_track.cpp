#include "song/midi_track.h"

namespace tavrino {

MidiEvent* MidiTrack::Add(std::unique_ptr<MidiEvent> event) {
    event->track = this;
    events.push_back(std::move(event));
    return events.back().get();
}

}  // namespace tavrino
