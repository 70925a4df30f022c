#include "song/message_list.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <utility>

namespace tavrino {

namespace {

void PrefetchForReading(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace

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

void MessageList::MergeTracks(const std::vector<std::unique_ptr<MidiTrack>>& tracks) {
    // A tournament over the tracks' time-ordered runs. The times are read
    // first, one track at a time, and so are the few events the list does not
    // take: the merge itself then touches no event, whose blocks lie far
    // apart in memory. A leaf is (time, track), so ties go to the earlier
    // track.
    std::size_t total = 0;
    for (const auto& track : tracks) {
        total += track->count();
    }
    std::vector<std::uint32_t> times;  // biased so that they order as unsigned
    times.reserve(total);
    std::vector<std::size_t> unlisted;  // indexes into `times`, ascending
    std::vector<std::size_t> start;
    for (const auto& track : tracks) {
        start.push_back(times.size());
        for (const auto& event : track->events) {
            if (!Accepts(*event)) {
                unlisted.push_back(times.size());
            }
            times.push_back(static_cast<std::uint32_t>(std::int64_t{event->time} -
                                                       std::numeric_limits<std::int32_t>::min()));
        }
    }
    start.push_back(times.size());

    std::size_t width = 1;
    while (width < tracks.size()) {
        width *= 2;
    }
    constexpr std::uint64_t kExhausted = ~std::uint64_t{0};
    std::vector<std::size_t> next(width, total);
    std::vector<std::size_t> nextUnlisted(width, unlisted.size());
    std::vector<std::uint64_t> leaf(width, kExhausted);
    const auto headKey = [&](std::size_t track) {
        return next[track] < start[track + 1] ? (std::uint64_t{times[next[track]]} << 32) | track
                                              : kExhausted;
    };
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        next[t] = start[t];
        nextUnlisted[t] = static_cast<std::size_t>(
            std::lower_bound(unlisted.begin(), unlisted.end(), start[t]) - unlisted.begin());
        leaf[t] = headKey(t);
    }
    // winner[node] is the leaf that wins below the node; node 1 is the root,
    // the children of node n are 2n and 2n + 1, leaves count from `width`.
    std::vector<std::size_t> winner(2 * width);
    for (std::size_t i = 0; i < width; ++i) {
        winner[width + i] = i;
    }
    const auto play = [&](std::size_t node) {
        const std::size_t a = winner[2 * node];
        const std::size_t b = winner[2 * node + 1];
        winner[node] = leaf[b] < leaf[a] ? b : a;
    };
    for (std::size_t node = width - 1; node >= 1; --node) {
        play(node);
    }
    events_.clear();
    events_.shrink_to_fit();
    events_.reserve(total - unlisted.size());
    for (std::size_t won = winner[1]; leaf[won] != kExhausted; won = winner[1]) {
        const auto& trackEvents = tracks[won]->events;
        const std::size_t at = next[won] - start[won];
        // Sixteen tracks are more streams than the processor follows by
        // itself: ask for each track's next lines ahead of the merge.
        constexpr std::size_t kFetchAhead = 16;
        if (at + kFetchAhead < trackEvents.size()) {
            PrefetchForReading(&trackEvents[at + kFetchAhead]);
            PrefetchForReading(&times[next[won] + kFetchAhead]);
        }
        std::size_t& skip = nextUnlisted[won];
        if (skip < unlisted.size() && unlisted[skip] == next[won]) {
            ++skip;
        } else {
            events_.push_back(trackEvents[at].get());
        }
        ++next[won];
        leaf[won] = headKey(won);
        for (std::size_t node = (width + won) / 2; node >= 1; node /= 2) {
            play(node);
        }
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
