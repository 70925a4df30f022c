#include "platform/virtual_playback.h"

#include "platform/scheduled_midi_stream.h"
#include "player/player.h"
#include "player/waiting_notifier.h"

namespace tavrino {

int PlayLoadedSong(Player& player, const MidiSong& song, const PlaybackRequest& request) {
    player.SetDivision(song.division);
    player.SetTempo(song.TempoAt(0));
    player.TempoPercent(request.tempoPercent);
    return player.Play(request.from, request.countIn);
}

PlaybackResult PlayInVirtualTime(MidiSong& song, MidiOutputs& outputs, VirtualStreamClock& clock,
                                 const PlaybackRequest& request) {
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    WaitingNotifier notifier;
    Player player(stream, settings);
    PlaybackResult outcome;
    outcome.result = player.Init(song, notifier);
    if (outcome.result == Player::kOk) {
        outcome.result = player.Open();
    }
    if (outcome.result != Player::kOk) {
        return outcome;
    }
    outcome.result = PlayLoadedSong(player, song, request);
    if (outcome.result == Player::kOk) {
        // The stream's thread ends the song by itself; a stop that found the
        // stream gone would have ended it as well.
        while (!notifier.WaitForEnd(std::chrono::seconds(1)) && player.IsPlaying()) {
        }
    }
    outcome.streamError = player.LastStreamError();
    outcome.end = clock.Now();
    outcome.complaints = notifier.Complaints();
    player.Shutdown();
    return outcome;
}

}  // namespace tavrino
