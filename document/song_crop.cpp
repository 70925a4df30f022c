#include "document/song_crop.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "document/song_edits.h"
#include "song/note_pairing.h"

namespace tavrino {

namespace {

// A crop may drop most of a long song; events are marked first (their track
// reference cleared) and leave every list in one pass each.
bool IsDetached(const MidiEvent& event) {
    return event.track == nullptr;
}

// Marks the event and the other half of its note, wherever that lies.
void Detach(MidiEvent& event) {
    event.track = nullptr;
    if (event.buddy != nullptr) {
        event.buddy->track = nullptr;
    }
}

bool IsKeptController(int number) {
    return std::any_of(KeptControllers.begin(), KeptControllers.end(),
                       [number](const KeptController& kept) { return kept.number == number; });
}

// Whether one of the listed tempo or meter changes lies exactly at the tick.
template <typename Event>
bool AnyAt(const std::vector<Event*>& list, std::int32_t tick) {
    return std::any_of(list.begin(), list.end(),
                       [tick](const Event* event) { return event->time == tick; });
}

// What a track carries over from before the begin mark. A tempo or meter
// change at the mark itself takes over at the new start, so the one in force
// before it is not carried.
struct CarriedSettings {
    bool tempo = true;
    bool meter = true;
};

// Marks what the crop drops from one track and cuts the notes that sound at
// the end mark there.
void MarkTrack(MidiTrack& track, std::int32_t beginMark, std::int32_t endMark,
               CarriedSettings carried) {
    MidiEvent* lastTempo = nullptr;
    MidiEvent* lastMeter = nullptr;
    std::array<MidiEvent*, 256> lastController{};
    const auto keepOnlyLatest = [](MidiEvent*& latest, MidiEvent& event) {
        if (latest != nullptr) {
            Detach(*latest);
        }
        latest = &event;
    };
    for (const auto& held : track.events) {
        MidiEvent& event = *held;
        if (IsDetached(event)) {
            continue;
        }
        if (IsMarkSet(beginMark) && event.time < beginMark) {
            switch (event.kind()) {
                case EventKind::NoteOn:
                case EventKind::NoteOff:
                case EventKind::PitchWheel:
                    Detach(event);
                    break;
                case EventKind::Tempo:
                    keepOnlyLatest(lastTempo, event);
                    break;
                case EventKind::TimeSignature:
                    keepOnlyLatest(lastMeter, event);
                    break;
                case EventKind::Controller:
                    if (IsKeptController(event.data1)) {
                        keepOnlyLatest(lastController[event.data1 & 0xFF], event);
                    }
                    break;
                default:
                    break;
            }
        } else if (IsMarkSet(endMark) && event.time >= endMark) {
            const bool endsNoteInside = event.buddy != nullptr && event.buddy->time < endMark;
            if (endsNoteInside || event.kind() == EventKind::EndOfTrack) {
                event.time = endMark;
            } else {
                Detach(event);
            }
        }
    }
    if (lastTempo != nullptr && !carried.tempo) {
        Detach(*lastTempo);
    }
    if (lastMeter != nullptr && !carried.meter) {
        Detach(*lastMeter);
    }
}

// Every track ends at the new end. A track without an end of track gets one
// there: moving its last event instead would stretch a note or shift a
// message.
void EndTracksAt(MidiSong& song, std::int32_t end) {
    for (const auto& track : song.tracks) {
        if (track->events.empty()) {
            continue;
        }
        if (track->events.back()->kind() == EventKind::EndOfTrack) {
            MoveEvent(song, *track->events.back(), end);
        } else {
            auto ending = std::make_unique<EndOfTrackEvent>();
            ending->time = end;
            song.messages.Insert(track->Add(std::move(ending)));
        }
    }
}

// Moves the kept events to their new times and the dropped ones to `removed`.
void CompactTrack(MidiTrack& track, std::int32_t beginMark,
                  std::vector<std::unique_ptr<MidiEvent>>& removed) {
    std::size_t kept = 0;
    for (auto& event : track.events) {
        if (IsDetached(*event)) {
            removed.push_back(std::move(event));
            continue;
        }
        if (IsMarkSet(beginMark)) {
            event->time = std::max(0, event->time - beginMark);
        }
        track.events[kept++] = std::move(event);
    }
    track.events.resize(kept);
}

// Every event is in a track and tracks are in time order: their last events
// tell.
std::int32_t LastEventTime(const MidiSong& song) {
    std::int32_t last = 0;
    for (const auto& track : song.tracks) {
        if (!track->events.empty()) {
            last = std::max(last, track->events.back()->time);
        }
    }
    return last;
}

}  // namespace

int CropSong(MidiSong& song, std::int32_t beginMark, std::int32_t endMark) {
    if (IsMarkSet(beginMark) && IsMarkSet(endMark) && endMark <= beginMark) {
        return kRefused;
    }
    std::vector<std::unique_ptr<MidiEvent>> removed;
    const CarriedSettings carried{!AnyAt(song.tempos, beginMark),
                                  !AnyAt(song.timeSignatures, beginMark)};
    for (const auto& track : song.tracks) {
        MarkTrack(*track, beginMark, endMark, carried);
    }
    for (const auto& track : song.tracks) {
        CompactTrack(*track, beginMark, removed);
    }
    // Every kept time t became min(max(t - begin, 0), end - begin): the
    // lists keep their order.
    song.UnlistDetached();

    if (IsMarkSet(endMark)) {
        EndTracksAt(song, IsMarkSet(beginMark) ? endMark - beginMark : endMark);
    }
    song.songLength = LastEventTime(song);
    PairNotes(song);
    song.RebuildBars();
    // `removed` destroys the dropped events on return, after every list let go.
    return 0;
}

}  // namespace tavrino
