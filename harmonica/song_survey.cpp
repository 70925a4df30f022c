#include "harmonica/song_survey.h"

#include <algorithm>

namespace tavrino {

namespace {

// A note may start this much of a quarter before the previous one ends and
// still follow it: players and sequencers overlap legato notes slightly.
constexpr int kLegatoFraction = 8;
// A line counts as single when at most this share of its notes overlap.
constexpr double kMostOverlappingShare = 0.05;

}  // namespace

std::vector<TrackNotes> SurveyTracks(const MidiSong& song,
                                     const std::function<bool(const MidiTrack&)>& counted,
                                     TickRange range) {
    const std::int32_t legato = std::max(1, song.division / kLegatoFraction);
    std::vector<TrackNotes> survey;
    for (std::size_t index = 0; index < song.tracks.size(); ++index) {
        const MidiTrack& track = *song.tracks[index];
        if (!counted(track)) {
            continue;
        }
        TrackNotes notes;
        notes.track = index;
        notes.hasLyrics = track.lyricCount > 0;
        // Wide enough that subtracting the legato allowance cannot overflow.
        std::int64_t soundingUntil = INT32_MIN;
        for (const auto& event : track.events) {
            if (event->playable == 0 || !range.Contains(event->time) || event->data1 < 0 ||
                event->data1 >= kNoteCount) {
                continue;
            }
            ++notes.histogram[event->data1];
            ++notes.count;
            notes.pitchSum += event->data1;
            if (event->time < soundingUntil - legato) {
                ++notes.overlapping;
            }
            soundingUntil = std::max(soundingUntil, std::int64_t{event->time} + event->duration);
        }
        if (notes.count > 0) {
            survey.push_back(notes);
        }
    }
    return survey;
}

NoteHistogram SumHistograms(const std::vector<TrackNotes>& tracks) {
    NoteHistogram sum{};
    for (const TrackNotes& track : tracks) {
        for (int note = 0; note < kNoteCount; ++note) {
            sum[note] += track.histogram[note];
        }
    }
    return sum;
}

MelodyChoice ChooseMelody(const std::vector<TrackNotes>& tracks) {
    MelodyChoice choice;
    const auto lyrics = std::find_if(tracks.begin(), tracks.end(),
                                     [](const TrackNotes& track) { return track.hasLyrics; });
    if (lyrics != tracks.end()) {
        choice.tracks = {static_cast<std::size_t>(lyrics - tracks.begin())};
        choice.reason = MelodyReason::kLyrics;
        return choice;
    }
    std::optional<std::size_t> highest;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const TrackNotes& track = tracks[i];
        const bool singleLine = track.overlapping <= kMostOverlappingShare * track.count;
        if (singleLine && (!highest || track.MeanPitch() > tracks[*highest].MeanPitch())) {
            highest = i;
        }
    }
    if (highest) {
        choice.tracks = {*highest};
        choice.reason = MelodyReason::kHighestLine;
        return choice;
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        choice.tracks.push_back(i);
    }
    return choice;
}

}  // namespace tavrino
