#pragma once

#include "song/midi_song.h"

namespace tavrino {

// Turns note-on and note-off messages into notes: links each note-on with the
// note-off that ends it (`buddy`, both ways), stores the note's `duration`,
// marks overlapping notes, and removes what cannot form a note (orphan
// note-offs and the note-ons that follow them on their key, notes that never
// end, zero-length notes). Percussion is left as read. Sets the song's
// pairing counters and report; removed events also leave `messages`.
void PairNotes(MidiSong& song);

}  // namespace tavrino
