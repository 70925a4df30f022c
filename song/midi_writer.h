#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "song/midi_song.h"

namespace tavrino {

// Result codes of WriteMidiFile.
enum WriteResult : int {
    kWriteOk = 0,
    kWriteFailed = 1,
    kWriteNoTracks = 5,
};

// The song as a format 1 Standard MIDI File: one chunk per track, exactly the
// events the song holds, every channel message with its status byte.
std::vector<std::uint8_t> EncodeMidiFile(const MidiSong& song);

// Saves the song to `path` (which becomes the song's path) or to the song's
// own path. A failed save leaves any existing file untouched.
int WriteMidiFile(MidiSong& song, const std::optional<std::string>& path = std::nullopt);

}  // namespace tavrino
