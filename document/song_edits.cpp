#include "document/song_edits.h"

#include <algorithm>
#include <span>
#include <string>

namespace tavrino {

namespace {

bool IsTrackIndex(const MidiSong& song, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < song.tracks.size();
}

bool EarlierThanTick(const std::unique_ptr<MidiEvent>& event, std::int32_t tick) {
    return event->time < tick;
}

bool TickEarlierThan(std::int32_t tick, const std::unique_ptr<MidiEvent>& event) {
    return tick < event->time;
}

bool LiesInside(const MidiEvent& event, std::int32_t beginMark, std::int32_t endMark) {
    return (!IsMarkSet(beginMark) || event.time >= beginMark) &&
           (!IsMarkSet(endMark) || std::int64_t{event.time} + event.duration <= endMark);
}

// The event's index in its track, found among the events of its time; the
// track's size when it is not there.
std::size_t IndexInTrack(const MidiTrack& track, const MidiEvent& event) {
    const auto& events = track.events;
    for (auto at = std::lower_bound(events.begin(), events.end(), event.time, EarlierThanTick);
         at != events.end() && (*at)->time == event.time; ++at) {
        if (at->get() == &event) {
            return static_cast<std::size_t>(at - events.begin());
        }
    }
    return events.size();
}

// Events of one time go in decreasing order of kind, equal kinds in insertion
// order, a track name first. A track is in time order and only its final
// event can be an end of track, so the search starts at the first event of
// the time instead of walking the whole track.
std::size_t InsertPosition(const MidiTrack& track, std::int32_t time, const MidiEvent& event) {
    const auto& events = track.events;
    const EventKind kind = event.kind();
    const bool isName = kind == EventKind::TrackName;
    auto at = std::lower_bound(events.begin(), events.end(), time, EarlierThanTick);
    for (; at != events.end(); ++at) {
        const MidiEvent& other = **at;
        if (other.kind() == EventKind::EndOfTrack || other.time > time || isName ||
            other.kind() < kind) {
            break;
        }
    }
    if (at == events.end() && !events.empty() && events.back()->kind() == EventKind::EndOfTrack) {
        --at;  // an end of track earlier than the new event
    }
    return static_cast<std::size_t>(at - events.begin());
}

// Lists a placed event where a saved and reopened file would list it: after
// the events of its tick in earlier tracks and before those of later tracks,
// and among its own track's events in track order. The player then sends a
// new program change before the note it precedes in the track.
void ListInFileOrder(MidiSong& song, MidiEvent& event) {
    const MidiTrack& track = *event.track;
    const int trackIndex = song.TrackIndexOf(&track);
    const auto& events = track.events;
    const std::size_t index = IndexInTrack(track, event);
    const auto followsInTrack = [&](const MidiEvent* other) {
        for (std::size_t i = index + 1; i < events.size() && events[i]->time == event.time; ++i) {
            if (events[i].get() == other) {
                return true;
            }
        }
        return false;
    };
    const auto [first, last] =
        std::equal_range(song.messages.begin(), song.messages.end(), &event, EarlierThan);
    const auto successor = std::find_if(first, last, [&](const MidiEvent* other) {
        return other != &event && other->track != nullptr &&
               (other->track == &track ? followsInTrack(other)
                                       : song.TrackIndexOf(other->track) > trackIndex);
    });
    song.messages.InsertBefore(&event, successor != last ? *successor : nullptr);
}

template <typename Event>
void InsertByTime(std::vector<Event*>& list, Event* event) {
    list.insert(std::upper_bound(list.begin(), list.end(), event, EarlierThan), event);
}

template <typename Event>
bool EraseFrom(std::vector<Event*>& list, const MidiEvent& event) {
    return std::erase_if(list, [&event](const Event* listed) { return listed == &event; }) > 0;
}

// Takes the event out of the song-wide lists.
void Unlist(MidiSong& song, const MidiEvent& event) {
    if (event.kind() == EventKind::Tempo) {
        EraseFrom(song.tempos, event);
    } else if (event.kind() == EventKind::TimeSignature && EraseFrom(song.timeSignatures, event)) {
        // Bars refer to signatures by index.
        song.RebuildBars();
    }
    song.messages.Remove(&event);
}

void Destroy(MidiSong& song, MidiEvent& event) {
    Unlist(song, event);
    MidiTrack& track = *event.track;
    const std::size_t index = IndexInTrack(track, event);
    if (index < track.count()) {
        track.events.erase(track.events.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

// Keeps the song-wide lists that are read by time in time order after the
// event's time changed.
void ResortByTime(MidiSong& song, MidiEvent& event) {
    if (event.kind() == EventKind::Tempo && EraseFrom(song.tempos, event)) {
        InsertByTime(song.tempos, static_cast<TempoEvent*>(&event));
    } else if (event.kind() == EventKind::TimeSignature && EraseFrom(song.timeSignatures, event)) {
        InsertByTime(song.timeSignatures, static_cast<TimeSignatureEvent*>(&event));
        song.RebuildBars();
    }
}

// Re-sorts the event within its track when its new time breaks the order.
void Reposition(MidiSong& song, MidiTrack& track, const MidiEvent& event, std::int32_t time) {
    auto& events = track.events;
    const std::size_t index = IndexInTrack(track, event);
    if (index == events.size()) {
        return;
    }
    const bool fits = (index == 0 || events[index - 1]->time <= time) &&
                      (index + 1 == events.size() || time <= events[index + 1]->time);
    if (fits) {
        return;
    }
    std::unique_ptr<MidiEvent> held = std::move(events[index]);
    events.erase(events.begin() + static_cast<std::ptrdiff_t>(index));
    auto at = std::upper_bound(events.begin(), events.end(), time, TickEarlierThan);
    // Events after a track's end of track are lost to other programs reading
    // the saved file, so the end moves along.
    if (at == events.end() && event.kind() != EventKind::EndOfTrack && !events.empty() &&
        events.back()->kind() == EventKind::EndOfTrack) {
        MoveEvent(song, *events.back(), time);
        at = std::prev(events.end());
    }
    events.insert(at, std::move(held));
}

// The time a move may give the event: a track's final end of track cannot
// come before the events it ends.
std::int32_t AllowedTime(const MidiEvent& event, std::int32_t time) {
    if (event.kind() != EventKind::EndOfTrack || event.track == nullptr) {
        return time;
    }
    const auto& events = event.track->events;
    if (events.size() < 2 || events.back().get() != &event) {
        return time;
    }
    return std::max(time, events[events.size() - 2]->time);
}

bool ShiftPitch(MidiEvent& event, int semitones) {
    const std::int64_t pitch = std::int64_t{event.data1} + semitones;
    if (pitch < 0 || pitch > 127) {
        return false;
    }
    event.data1 = static_cast<std::int16_t>(pitch);
    return true;
}

}  // namespace

bool StartsInside(const MidiEvent& event, std::int32_t beginMark, std::int32_t endMark) {
    return (!IsMarkSet(beginMark) || event.time >= beginMark) &&
           (!IsMarkSet(endMark) || event.time < endMark);
}

void ExtendSongTo(MidiSong& song, std::int32_t time) {
    if (time > song.songLength) {
        song.songLength = time;
        song.RebuildBars();
    }
}

int InsertEvent(MidiSong& song, std::int32_t time, int trackIndex,
                std::unique_ptr<MidiEvent> event) {
    if (!IsTrackIndex(song, trackIndex) || time < 0 || event == nullptr) {
        return kRefused;
    }
    MidiTrack& track = *song.tracks[static_cast<std::size_t>(trackIndex)];
    const std::size_t position = InsertPosition(track, time, *event);
    if (position < track.count() && track[position]->kind() == EventKind::EndOfTrack) {
        // The end of track comes to the new event; it stays where it is in
        // the track, so `position` still holds.
        MoveEvent(song, *track[position], time);
    }
    event->time = time;
    event->track = &track;
    MidiEvent* placed =
        track.events
            .insert(track.events.begin() + static_cast<std::ptrdiff_t>(position), std::move(event))
            ->get();
    ListInFileOrder(song, *placed);
    ExtendSongTo(song, time);
    if (placed->kind() == EventKind::Tempo) {
        InsertByTime(song.tempos, static_cast<TempoEvent*>(placed));
    } else if (placed->kind() == EventKind::TimeSignature) {
        InsertByTime(song.timeSignatures, static_cast<TimeSignatureEvent*>(placed));
        song.RebuildBars();
    }
    return 0;
}

void MoveEvent(MidiSong& song, MidiEvent& event, std::int32_t time) {
    time = AllowedTime(event, time);
    if (event.time == time) {
        return;
    }
    if (event.track != nullptr) {
        Reposition(song, *event.track, event, time);
    }
    const bool listed = song.messages.IndexOf(&event) >= 0;
    if (listed) {
        song.messages.Remove(&event);
    }
    event.time = time;
    if (listed && event.track != nullptr) {
        ListInFileOrder(song, event);
    } else if (listed) {
        song.messages.Insert(&event);
    }
    ResortByTime(song, event);
    ExtendSongTo(song, time);
}

int DeleteEvent(MidiSong& song, MidiEvent& event) {
    if (event.track == nullptr) {
        return kRefused;
    }
    MidiEvent* partner = event.buddy;
    Destroy(song, event);
    if (partner != nullptr && partner != &event && partner->track != nullptr) {
        Destroy(song, *partner);
    }
    return 0;
}

bool CanDeleteTrack(const MidiSong& song, int trackIndex) {
    return trackIndex > 0 && IsTrackIndex(song, trackIndex);
}

int DeleteTrack(MidiSong& song, int trackIndex) {
    if (!CanDeleteTrack(song, trackIndex)) {
        return kRefused;
    }
    const auto doomed = song.tracks.begin() + trackIndex;
    // Detached events leave every list in one pass each.
    for (const auto& event : (*doomed)->events) {
        event->track = nullptr;
    }
    const bool hadMeters = song.UnlistDetached();
    song.tracks.erase(doomed);
    if (hadMeters) {
        song.RebuildBars();
    }
    return 0;
}

int AddTextEvent(MidiSong& song, int trackIndex, std::int32_t time, std::string_view text) {
    auto event = std::make_unique<TextEvent>();
    event->metaType = 0x01;
    std::string terminated(text);
    terminated.push_back('\0');
    event->setPayload(
        std::span(reinterpret_cast<const std::uint8_t*>(terminated.data()), terminated.size()));
    const int result = InsertEvent(song, time, trackIndex, std::move(event));
    if (result == 0) {
        ++song.tracks[static_cast<std::size_t>(trackIndex)]->textCount;
    }
    return result;
}

int TransposeSong(MidiSong& song, int semitones, int trackIndex, std::int32_t beginMark,
                  std::int32_t endMark, std::vector<MidiEvent*>* unmoved) {
    if (song.loading != 0 || song.tracks.empty() ||
        (trackIndex != kAllTracks && !IsTrackIndex(song, trackIndex))) {
        return kRefused;
    }
    const auto transpose = [&](MidiTrack& track) {
        for (const auto& held : track.events) {
            MidiEvent& note = *held;
            if (note.playable == 0 || !LiesInside(note, beginMark, endMark)) {
                continue;
            }
            if (!ShiftPitch(note, semitones)) {
                if (unmoved != nullptr) {
                    unmoved->push_back(&note);
                }
            } else if (note.buddy != nullptr) {
                ShiftPitch(*note.buddy, semitones);
            }
        }
    };
    if (trackIndex == kAllTracks) {
        for (const auto& track : song.tracks) {
            transpose(*track);
        }
    } else {
        transpose(*song.tracks[static_cast<std::size_t>(trackIndex)]);
    }
    return 0;
}

int ScaleVelocities(MidiSong& song, int trackIndex, std::int32_t beginMark, std::int32_t endMark) {
    if (!IsTrackIndex(song, trackIndex)) {
        return kRefused;
    }
    MidiTrack& track = *song.tracks[static_cast<std::size_t>(trackIndex)];
    const int percent = track.velocityPercent;
    for (const auto& held : track.events) {
        MidiEvent& note = *held;
        if (note.isSoundingNoteOn() && StartsInside(note, beginMark, endMark)) {
            note.data2 = static_cast<std::int16_t>(std::clamp(note.data2 * percent / 100, 1, 127));
        }
    }
    track.velocityPercent = 100;
    return 0;
}

void MarkPlayable(MidiSong& song) {
    for (MidiEvent* event : song.messages) {
        const bool sounds = event->kind() == EventKind::NoteOn && event->data2 >= 1 &&
                            event->duration >= 1 && !event->isPercussion();
        event->playable = sounds ? 1 : 0;
    }
}

}  // namespace tavrino
