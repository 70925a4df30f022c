#pragma once

// A player on a fake stream, and ways to read what it played.

#include <vector>

#include "document/test_songs.h"
#include "player/fake_midi_stream.h"
#include "player/player.h"

namespace tavrino::test {

struct PlayerRig {
    // Opens the player on `song`, already finished by the caller.
    explicit PlayerRig(int division = 480) { song.division = static_cast<std::int16_t>(division); }
    int Start() {
        if (const int init = player.Init(song, notifier); init != Player::kOk) {
            return init;
        }
        const int open = player.Open();
        player.SetDivision(song.division);
        player.SetTempo(song.TempoAt(0));
        stream.sent.clear();
        return open;
    }

    MidiSong song;
    Settings settings;
    FakeMidiStream stream;
    FakeNotifier notifier;
    Player player{stream, settings};
};

struct Sound {
    std::int64_t tick;  // stream tick
    std::uint32_t message;
    friend bool operator==(const Sound&, const Sound&) = default;
};

// The channel messages the stream played, with their stream ticks.
std::vector<Sound> Sounds(const FakeMidiStream& stream);
// The ticks at which the stream played `message`.
std::vector<std::int64_t> TicksOf(const FakeMidiStream& stream, std::uint32_t message);
// The song ticks of the tick markers played.
std::vector<std::int64_t> TickMarkers(const FakeMidiStream& stream);

}  // namespace tavrino::test
