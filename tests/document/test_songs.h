#pragma once

// Songs built in code for the edit tests: events are added to tracks in any
// order, and FinishSong does what the reader does after parsing a file.

#include <cstdint>
#include <memory>
#include <random>

#include "song/midi_song.h"

namespace tavrino::test {

MidiTrack& AddTrack(MidiSong& song);
MidiEvent& AddEvent(MidiTrack& track, std::int32_t time, std::unique_ptr<MidiEvent> event);
// A note-on and its note-off (a velocity-0 note-on when `offAsNoteOn`).
MidiEvent& AddNote(MidiTrack& track, int channel, int pitch, std::int32_t start, std::int32_t end,
                   int velocity = 100, bool offAsNoteOn = false);
MidiEvent& AddController(MidiTrack& track, int channel, int number, int value, std::int32_t time);
MidiEvent& AddTempo(MidiTrack& track, std::int32_t time, std::int32_t microsecondsPerQuarter);

// Sorts every track by time, ends it with an end of track at its last event,
// lists the events, pairs the notes, marks the playable ones and builds the
// bars. Without a time signature at tick 0 the song gets a 4/4 one.
void FinishSong(MidiSong& song, std::int16_t division = 480);

// A song of `tracks` tracks holding notes (some overlapping, some on the
// percussion channel), controllers, programs, pitch bends, texts, tempo and
// meter changes, spread over about `ticks` ticks.
void MakeRandomSong(MidiSong& song, std::mt19937& random, int tracks, int eventsPerTrack,
                    std::int32_t ticks);

}  // namespace tavrino::test
