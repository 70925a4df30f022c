#include "document/track_mixing.h"

#include <algorithm>

namespace tavrino {

namespace {

bool Contains(std::span<MidiTrack* const> tracks, const MidiTrack* track) {
    return std::find(tracks.begin(), tracks.end(), track) != tracks.end();
}

void SetVisible(MidiTrack& track, bool visible) {
    track.flags = static_cast<std::int16_t>(visible ? track.flags | MidiTrack::kVisible
                                                    : track.flags & ~MidiTrack::kVisible);
}

}  // namespace

void MuteTracks(std::span<MidiTrack* const> tracks) {
    for (MidiTrack* track : tracks) {
        track->velocityPercent = 0;
    }
}

void SoloTracks(MidiSong& song, std::span<MidiTrack* const> tracks) {
    for (const auto& track : song.tracks) {
        track->velocityPercent = Contains(tracks, track.get()) ? kFullVolume : 0;
    }
}

void ResetVolumes(MidiSong& song) {
    for (const auto& track : song.tracks) {
        track->velocityPercent = kFullVolume;
    }
}

void PlayAlong(MidiSong& song, MidiTrack& track) {
    ResetVolumes(song);
    track.velocityPercent = 0;
    SetVisible(track, true);
}

bool IsPlayingAlong(const MidiSong& song, const MidiTrack& track) {
    return track.velocityPercent == 0 && track.visible() &&
           std::all_of(song.tracks.begin(), song.tracks.end(), [&track](const auto& other) {
               return other.get() == &track || other->velocityPercent == kFullVolume;
           });
}

void HideTracks(std::span<MidiTrack* const> tracks) {
    for (MidiTrack* track : tracks) {
        SetVisible(*track, false);
    }
}

void ShowTracks(MidiSong& song, std::span<MidiTrack* const> tracks, bool keepOthers) {
    for (const auto& track : song.tracks) {
        if (Contains(tracks, track.get())) {
            SetVisible(*track, true);
        } else if (!keepOthers) {
            SetVisible(*track, false);
        }
    }
}

std::vector<MidiTrack*> TracksNumbered(const MidiSong& song, std::span<const int> numbers) {
    std::vector<MidiTrack*> tracks;
    for (const int number : numbers) {
        if (number >= 0 && static_cast<std::size_t>(number) < song.tracks.size()) {
            tracks.push_back(song.tracks[static_cast<std::size_t>(number)].get());
        }
    }
    return tracks;
}

}  // namespace tavrino
