#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "harmonica/key_ranking.h"
#include "song/midi_song.h"

namespace tavrino {

// The playable notes of one track within a stretch of the song.
struct TrackNotes {
    std::size_t track = 0;  // index in the song's tracks
    NoteHistogram histogram{};
    int count = 0;
    std::int64_t pitchSum = 0;
    // Notes that start while the track's previous note still sounds, beyond
    // a short legato overlap: chords and accompaniment.
    int overlapping = 0;
    bool hasLyrics = false;

    double MeanPitch() const { return count == 0 ? 0 : static_cast<double>(pitchSum) / count; }
};

// The ticks counted: [begin, end), an open side when absent.
struct TickRange {
    std::optional<std::int32_t> begin;
    std::optional<std::int32_t> end;

    bool Contains(std::int32_t tick) const {
        return (!begin || tick >= *begin) && (!end || tick < *end);
    }
};

// One walk over the tracks `counted` accepts, each track's playable notes
// (the `playable` flag) that start within the range. Tracks with no such
// notes are left out.
std::vector<TrackNotes> SurveyTracks(const MidiSong& song,
                                     const std::function<bool(const MidiTrack&)>& counted,
                                     TickRange range = {});

NoteHistogram SumHistograms(const std::vector<TrackNotes>& tracks);

// Why a track was taken as the melody.
enum class MelodyReason {
    kLyrics,       // the track with notes and lyrics
    kHighestLine,  // the highest-sounding single-line track
    kAllTracks,    // nothing stands out: every track counts
};

struct MelodyChoice {
    std::vector<std::size_t> tracks;  // indices into the survey
    MelodyReason reason = MelodyReason::kAllTracks;
};

// The part a harmonica player would play: the track with lyrics, else the
// highest-sounding track that plays one note at a time, else all of them.
MelodyChoice ChooseMelody(const std::vector<TrackNotes>& tracks);

}  // namespace tavrino
