#pragma once

#include <gtest/gtest.h>

#include "song/midi_song.h"

namespace tavrino::test {

// Checks everything the rest of the program relies on in a song: every event
// in exactly one track, tracks in time order with their `track` references
// right, `messages` holding exactly the listable events of all tracks in time
// order, buddies linked both ways within one track with each note's duration
// reaching its note-off, the tempo and time-signature lists in time order and
// referring to events of the song, bars naming existing time signatures, and
// `songLength` covering the last event.
::testing::AssertionResult SongIsConsistent(const MidiSong& song);

}  // namespace tavrino::test
