#pragma once

#include <string>

#include "song/midi_song.h"

namespace tavrino {

// Why reading or writing a MIDI file failed, in words for the user: the
// command-line tool prints it, the desktop program adds it to its message.
// `savedErrno` is errno as the failing call left it.
std::string ReadFailureReason(int result, const MidiSong& song, int savedErrno);
std::string WriteFailureReason(int result, int savedErrno);

}  // namespace tavrino
