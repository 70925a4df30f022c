#pragma once

#include <string_view>

#include "song/midi_song.h"

namespace tavrino {

// Whether the bytes are well-formed UTF-8: no stray continuation bytes, no
// truncated, overlong or surrogate sequences, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Whether every word of the song (track names, text and lyric events) reads
// as UTF-8. Files carry no note of their encoding; text that is valid UTF-8
// is almost never anything else, so this decides how the song is shown.
bool SongTextIsUtf8(const MidiSong& song);

}  // namespace tavrino
