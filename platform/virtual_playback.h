#pragma once

#include <cstdint>
#include <string>

#include "platform/midi_output.h"
#include "platform/stream_clock.h"
#include "song/midi_song.h"

namespace tavrino {

struct PlaybackRequest {
    std::int32_t from = 0;  // song tick
    int tempoPercent = 100;
    bool countIn = false;
};

struct PlaybackResult {
    int result = 0;        // the player's result code of Init, Open or Play
    int streamError = 0;   // the stream's code when the output failed while playing
    std::int64_t end = 0;  // the clock's time when play ended
    std::string complaints;
};

class Player;

// Starts the song as the desktop program does after loading it: channel
// reset, starting tempo and speed, then play. Returns the player's result.
int PlayLoadedSong(Player& player, const MidiSong& song, const PlaybackRequest& request);

// Plays the song as the desktop program does after loading it (channel reset,
// starting tempo, then play), through the same player and stream, on a
// virtual clock: as fast as the machine allows, every message at its exact
// due time. Returns once the song has ended.
PlaybackResult PlayInVirtualTime(MidiSong& song, MidiOutputs& outputs, VirtualStreamClock& clock,
                                 const PlaybackRequest& request);

}  // namespace tavrino
