#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "song/midi_song.h"

namespace tavrino {

// The operations that change a loaded song while keeping what the rest of the
// program relies on: every event in exactly one track in time order, the
// listable events in `messages`, the tempo events in `tempos`, `songLength`
// covering the last event, and note-on/note-off pairs linked through `buddy`.
//
// Operations that can refuse return kRefused and leave the song unchanged;
// otherwise 0. Marks (begin, end) are ticks, negative when unset; the end is
// exclusive.

inline constexpr int kRefused = -1;
inline constexpr std::int32_t kNoMark = -1;
inline constexpr int kAllTracks = -1;

inline bool IsMarkSet(std::int32_t mark) {
    return mark >= 0;
}

// Whether the event starts inside the marks.
bool StartsInside(const MidiEvent& event, std::int32_t beginMark, std::int32_t endMark);

// Lengthens the song (and its bar table) to reach `time`.
void ExtendSongTo(MidiSong& song, std::int32_t time);

// Places a new event at `time` in the track. Events of one time end up in
// decreasing order of kind (equal kinds in insertion order) with a track name
// first; an end of track the new event reaches is moved along with it. A
// tempo or time signature joins the song's list of them; the bars follow a
// new time signature. Refuses a track index out of range and a negative time.
int InsertEvent(MidiSong& song, std::int32_t time, int trackIndex,
                std::unique_ptr<MidiEvent> event);

// Gives a placed event a new time, re-sorting it in its track and in
// `messages`. A track's final end of track stays last: it follows an event
// moved beyond it, and moved itself it stops at the track's last other event.
void MoveEvent(MidiSong& song, MidiEvent& event, std::int32_t time);

// Removes the event, and the other half of its note, from the song and
// destroys them. Refuses an event that is in no track.
int DeleteEvent(MidiSong& song, MidiEvent& event);

// Track 0 holds the song-wide events, and a song keeps at least one track.
bool CanDeleteTrack(const MidiSong& song, int trackIndex);
int DeleteTrack(MidiSong& song, int trackIndex);

// Inserts a text event (meta type 1) whose payload counts its terminator.
int AddTextEvent(MidiSong& song, int trackIndex, std::int32_t time, std::string_view text);

// Moves every playable note of the track (-1: of every track) that lies
// wholly inside the marks by `semitones`; a note that would leave 0..127 stays
// as it is (and is added to `unmoved` when given). Refuses while the song is
// loading and when it has no tracks.
int TransposeSong(MidiSong& song, int semitones, int trackIndex, std::int32_t beginMark,
                  std::int32_t endMark, std::vector<MidiEvent*>* unmoved = nullptr);

// Makes the track's velocity percentage permanent on its sounding note-ons
// inside the marks, and sets the percentage back to 100.
int ScaleVelocities(MidiSong& song, int trackIndex, std::int32_t beginMark, std::int32_t endMark);

// Marks exactly the sounding, paired, non-percussion note-ons of `messages` as
// playable.
void MarkPlayable(MidiSong& song);

}  // namespace tavrino
