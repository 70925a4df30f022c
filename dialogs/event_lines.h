#pragma once

#include <cstdint>
#include <string>

#include "song/midi_song.h"

namespace tavrino {

// The lines of the event-editing dialogs' lists, each starting with the
// event's position as bar:beat:tick ("%03d:%02d:%03d").

std::string PositionText(const MidiSong& song, std::int32_t tick);

// Beats per minute rounded to two decimals, as the tempo list shows them.
double ShownBeatsPerMinute(std::int32_t microsecondsPerQuarter);

// "001:01:000  120.00"
std::string TempoLine(const MidiSong& song, const TempoEvent& tempo);
// "001:01:000  4/4"
std::string TimeSignatureLine(const MidiSong& song, const TimeSignatureEvent& signature);
// A volume or pan setting: "001:01:000  100", with "  (ch 2)" after it in a
// track of several channels.
std::string ControllerLine(const MidiSong& song, const MidiEvent& controller, bool showChannel);
// "001:01:000  22 Harmonica", with " (ch 2)" after it in a track of several
// channels.
std::string ProgramLine(const MidiSong& song, const MidiEvent& program, bool showChannel);
// "Channel 2" or "Channels 2 10"; empty for a track without channel messages.
std::string ChannelsText(const MidiTrack& track);

}  // namespace tavrino
