#include "song/message_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tavrino {

bool MessageList::Accepts(const MidiEvent& event) {
    const EventKind kind = event.kind();
    if (IsChannelKind(kind) || IsSysExKind(kind)) {
        return true;
    }
    return kind == EventKind::EndOfTrack || kind == EventKind::Text || kind == EventKind::Lyric ||
           kind == EventKind::Tempo;
}

void MessageList::Insert(MidiEvent* event) {
    if (!Accepts(*event)) {
        return;
    }
    // In-order insertions (reading, step entry) append.
    if (events_.empty() || events_.back()->time <= event->time) {
        events_.push_back(event);
        return;
    }
    const auto position = std::upper_bound(events_.begin(), events_.end(), event, EarlierThan);
    events_.insert(position, event);
}

void MessageList::InsertBefore(MidiEvent* event, const MidiEvent* successor) {
    if (!Accepts(*event)) {
        return;
    }
    const auto at = successor != nullptr ? Find(successor) : events_.cend();
    if (at == events_.cend() || (*at)->time != event->time) {
        Insert(event);
        return;
    }
    events_.insert(at, event);
}

void MessageList::InsertInOrder(const std::vector<MidiEvent*>& events) {
    std::vector<MidiEvent*> accepted;
    accepted.reserve(events.size());
    std::copy_if(events.begin(), events.end(), std::back_inserter(accepted),
                 [](const MidiEvent* event) { return Accepts(*event); });
    std::vector<MidiEvent*> merged;
    merged.reserve(events_.size() + accepted.size());
    // std::merge takes the listed event first among equals: each new event
    // lands after every event of its time, as Insert places it.
    std::merge(events_.begin(), events_.end(), accepted.begin(), accepted.end(),
               std::back_inserter(merged), EarlierThan);
    events_ = std::move(merged);
}

void MessageList::Remove(const MidiEvent* event) {
    const auto found = Find(event);
    if (found != events_.end()) {
        events_.erase(found);
    }
}

void MessageList::Clear() {
    events_.clear();
    events_.shrink_to_fit();
}

void MessageList::Append(MidiEvent* event) {
    if (Accepts(*event)) {
        events_.push_back(event);
    }
}

namespace {

// A listed event's place in the merge: its time (counted from the song's
// earliest) in the high half, its index in the concatenation of all tracks'
// events in the low half. Keys start out in index order.
using MergeKey = std::uint64_t;
constexpr int kIndexBits = 32;

// A stable sort of the keys by their time part: least significant digit
// first, so events of equal time keep their index order. A few linear,
// branch-free passes, however the tracks interleave.
void SortKeysByTime(std::vector<MergeKey>& keys, std::uint32_t latestTime) {
    if (std::is_sorted(keys.begin(), keys.end())) {
        return;  // one track, or tracks that follow each other
    }
    constexpr int kDigitBits = 8;
    constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
    std::vector<MergeKey> sorted(keys.size());
    std::vector<std::size_t> next(kBuckets);
    for (int digit = 0; digit < 32 && (latestTime >> digit) != 0; digit += kDigitBits) {
        const int shift = kIndexBits + digit;
        std::fill(next.begin(), next.end(), 0);
        for (const MergeKey key : keys) {
            ++next[(key >> shift) & (kBuckets - 1)];
        }
        std::size_t position = 0;
        for (std::size_t& bucket : next) {
            position += std::exchange(bucket, position);
        }
        for (const MergeKey key : keys) {
            sorted[next[(key >> shift) & (kBuckets - 1)]++] = key;
        }
        keys.swap(sorted);
    }
}

// The track holding the event of this concatenation index: the last track
// starting at or before it (branch-free search, the tracks being few).
std::size_t TrackOfIndex(const std::vector<std::size_t>& trackStart, std::size_t index) {
    const std::size_t* base = trackStart.data();
    std::size_t length = trackStart.size();
    while (length > 1) {
        const std::size_t half = length / 2;
        base += base[half] <= index ? half : 0;
        length -= half;
    }
    return static_cast<std::size_t>(base - trackStart.data());
}

}  // namespace

void MessageList::MergeTracks(const std::vector<std::unique_ptr<MidiTrack>>& tracks) {
    // Sorting compact keys instead of the events themselves keeps the merge
    // from chasing millions of pointers across memory.
    std::vector<std::size_t> trackStart;
    std::size_t total = 0;
    std::int32_t earliest = 0;
    std::int32_t latest = 0;
    for (const auto& track : tracks) {
        trackStart.push_back(total);
        total += track->count();
        if (!track->events.empty()) {
            earliest = std::min(earliest, track->events.front()->time);
            latest = std::max(latest, track->events.back()->time);
        }
    }
    std::vector<MergeKey> keys;
    keys.reserve(total);
    std::size_t index = 0;
    for (const auto& track : tracks) {
        for (const auto& event : track->events) {
            if (Accepts(*event)) {
                const auto time = static_cast<std::uint32_t>(event->time - earliest);
                keys.push_back((MergeKey{time} << kIndexBits) | index);
            }
            ++index;
        }
    }
    SortKeysByTime(keys, static_cast<std::uint32_t>(latest - earliest));

    events_.clear();
    events_.shrink_to_fit();
    events_.reserve(keys.size());
    for (const MergeKey key : keys) {
        const auto at = static_cast<std::size_t>(key & 0xFFFFFFFFu);
        const std::size_t track = TrackOfIndex(trackStart, at);
        events_.push_back(tracks[track]->events[at - trackStart[track]].get());
    }
}

void MessageList::RemoveDetached() {
    std::erase_if(events_, [](const MidiEvent* event) { return event->track == nullptr; });
}

std::ptrdiff_t MessageList::IndexOf(const MidiEvent* event) const {
    const auto found = Find(event);
    return found == events_.end() ? -1 : found - events_.begin();
}

std::vector<MidiEvent*>::const_iterator MessageList::Find(const MidiEvent* event) const {
    // Events of one time sit together; look there first, and everywhere only
    // if a caller changed the event's time while it was listed.
    const auto [first, last] = std::equal_range(events_.begin(), events_.end(),
                                                const_cast<MidiEvent*>(event), EarlierThan);
    const auto found = std::find(first, last, event);
    return found != last ? found : std::find(events_.cbegin(), events_.cend(), event);
}

}  // namespace tavrino
