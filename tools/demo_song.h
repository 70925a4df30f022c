#pragma once

#include "song/midi_song.h"

namespace tavrino {

// "Oh! Susanna" (Stephen Foster, 1848; public domain), entered note by note:
// a melody a C diatonic harmonica plays in first position (with draw bends on
// holes 2 and 3), its lyrics, a guitar accompaniment and drums.
void BuildDemoSong(MidiSong& song);

}  // namespace tavrino
