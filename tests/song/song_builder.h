#pragma once

// Builds songs event by event inside a test, the way the reader leaves them
// before note pairing: one track each, events in the order given.

#include <memory>
#include <vector>

#include "song/midi_song.h"

namespace tavrino::test {

struct NoteMessage {
    int time;
    int status;  // 0x8n, 0x9n
    int note;
    int velocity;
};

// A song of one track (plus nothing else) holding these channel messages, all
// listed in `messages`.
inline void FillTrack(MidiSong& song, const std::vector<NoteMessage>& messages) {
    song.Reset();
    song.format = 1;
    song.division = 96;
    song.tracks.push_back(std::make_unique<MidiTrack>());
    MidiTrack& track = *song.tracks.back();
    for (const NoteMessage& message : messages) {
        MidiEvent* event = track.Add(
            CreateChannelEvent(message.time, message.status, message.note, message.velocity));
        song.messages.Insert(event);
        song.songLength = std::max(song.songLength, message.time);
    }
}

}  // namespace tavrino::test
