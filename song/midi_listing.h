#pragma once

#include <string>

#include "song/midi_song.h"

namespace tavrino {

// The disassembled listing: a header with the format, division, track count
// and pairing counters, then one line per event of every track, then the size
// of the message list. Empty for a song without tracks.
std::string FormatListing(const MidiSong& song);

// Writes the listing to a file: 0, or -1 while the song is loading or when the
// file cannot be written (an existing file is then left as it was).
int WriteListing(const MidiSong& song, const std::string& path);

}  // namespace tavrino
