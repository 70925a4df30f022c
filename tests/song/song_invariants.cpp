#include "song/song_invariants.h"

#include <algorithm>
#include <sstream>
#include <unordered_set>

namespace tavrino::test {

namespace {

template <typename List>
bool InTimeOrder(const List& list) {
    return std::is_sorted(list.begin(), list.end(),
                          [](const auto* a, const auto* b) { return a->time < b->time; });
}

}  // namespace

::testing::AssertionResult SongIsConsistent(const MidiSong& song) {
    std::unordered_set<const MidiEvent*> inTracks;
    for (const auto& track : song.tracks) {
        for (const auto& event : track->events) {
            if (!inTracks.insert(event.get()).second) {
                return ::testing::AssertionFailure() << "an event is in two places";
            }
        }
    }
    std::size_t listable = 0;
    std::int32_t lastTime = 0;
    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const MidiTrack& track = *song.tracks[t];
        for (std::size_t i = 0; i < track.count(); ++i) {
            const MidiEvent* event = track[i];
            std::ostringstream where;
            where << "track " << t << " event " << i << " (time " << event->time << ")";
            if (event->track != &track) {
                return ::testing::AssertionFailure() << where.str() << " has a wrong track";
            }
            if (i > 0 && track[i - 1]->time > event->time) {
                return ::testing::AssertionFailure() << where.str() << " is out of time order";
            }
            // Looked up before it is followed: a dangling buddy points at
            // freed memory.
            if (event->buddy != nullptr &&
                (!inTracks.contains(event->buddy) || event->buddy->buddy != event ||
                 event->buddy->track != &track)) {
                return ::testing::AssertionFailure() << where.str() << " has a broken buddy";
            }
            if (event->kind() == EventKind::NoteOn && event->data2 > 0 && event->buddy != nullptr &&
                event->duration != event->buddy->time - event->time) {
                return ::testing::AssertionFailure()
                       << where.str() << " has duration " << event->duration
                       << " but its note-off is at " << event->buddy->time;
            }
            listable += MessageList::Accepts(*event) ? 1 : 0;
            lastTime = std::max(lastTime, event->time);
        }
    }
    if (song.messages.size() != listable) {
        return ::testing::AssertionFailure()
               << "messages holds " << song.messages.size() << " events, the tracks " << listable;
    }
    std::unordered_set<const MidiEvent*> listed;
    for (const MidiEvent* event : song.messages) {
        if (!inTracks.contains(event) || !MessageList::Accepts(*event)) {
            return ::testing::AssertionFailure() << "messages holds a foreign event";
        }
        if (!listed.insert(event).second) {
            return ::testing::AssertionFailure() << "messages holds an event twice";
        }
    }
    if (!InTimeOrder(song.messages)) {
        return ::testing::AssertionFailure() << "messages is out of time order";
    }
    for (const TempoEvent* tempo : song.tempos) {
        if (!inTracks.contains(tempo)) {
            return ::testing::AssertionFailure() << "tempos holds a foreign event";
        }
    }
    for (const TimeSignatureEvent* signature : song.timeSignatures) {
        if (!inTracks.contains(signature)) {
            return ::testing::AssertionFailure() << "timeSignatures holds a foreign event";
        }
    }
    if (!InTimeOrder(song.tempos) || !InTimeOrder(song.timeSignatures)) {
        return ::testing::AssertionFailure() << "a tempo or meter list is out of time order";
    }
    for (std::int64_t bar = 0; bar < song.bars.size(); ++bar) {
        if (static_cast<std::size_t>(song.bars[bar].timeSignature) >= song.timeSignatures.size()) {
            return ::testing::AssertionFailure() << "bar " << bar << " names a lost time signature";
        }
    }
    if (song.songLength < lastTime) {
        return ::testing::AssertionFailure()
               << "songLength " << song.songLength << " ends before the last event " << lastTime;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tavrino::test
