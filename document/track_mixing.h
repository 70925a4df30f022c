#pragma once

#include <span>
#include <vector>

#include "song/midi_song.h"

namespace tavrino {

// The mixer's volume and visibility commands. They take the tracks
// themselves, not their numbers, so that a list made before a track moved or
// went still means the same tracks.

inline constexpr int kFullVolume = 100;

// The tracks fall silent: the player sends their notes at velocity 0.
void MuteTracks(std::span<MidiTrack* const> tracks);
// The tracks play at full volume, every other track of the song is muted.
void SoloTracks(MidiSong& song, std::span<MidiTrack* const> tracks);
void ResetVolumes(MidiSong& song);
// Playing along with a track: it is muted but stays visible, so that its
// notes still light up while the rest of the song plays at full volume.
void PlayAlong(MidiSong& song, MidiTrack& track);
// Whether `track` is the one being played along with.
bool IsPlayingAlong(const MidiSong& song, const MidiTrack& track);

void HideTracks(std::span<MidiTrack* const> tracks);
// The tracks become visible; unless `keepOthers`, every other track is hidden.
void ShowTracks(MidiSong& song, std::span<MidiTrack* const> tracks, bool keepOthers);

// The tracks with the given numbers; numbers out of range are skipped.
std::vector<MidiTrack*> TracksNumbered(const MidiSong& song, std::span<const int> numbers);

}  // namespace tavrino
