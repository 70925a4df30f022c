#include "song/message_list.h"

#include <algorithm>

namespace tavrino {

namespace {

bool EarlierThan(const MidiEvent* a, const MidiEvent* b) { return a->time < b->time; }

}  // namespace

bool MessageList::Accepts(const MidiEvent& event) {
    const EventKind kind = event.kind();
    if (IsChannelKind(kind) || IsSysExKind(kind)) {
        return true;
    }
    return kind == EventKind::EndOfTrack || kind == EventKind::Text ||
           kind == EventKind::Lyric || kind == EventKind::Tempo;
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
    events_.clear();
    std::size_t total = 0;
    for (const auto& track : tracks) {
        total += static_cast<std::size_t>(std::count_if(
            track->events.begin(), track->events.end(),
            [](const auto& event) { return Accepts(*event); }));
    }
    events_.reserve(total);

    // A k-way merge over the tracks' time-ordered events. Ties go to the
    // lower track: it was inserted first.
    struct Head {
        std::int32_t time;
        std::size_t track;
        std::size_t next;  // index of the head event in its track
    };
    const auto later = [](const Head& a, const Head& b) {
        return a.time != b.time ? a.time > b.time : a.track > b.track;
    };
    std::vector<Head> heads;
    const auto pushNextAccepted = [&](std::size_t track, std::size_t from) {
        const auto& events = tracks[track]->events;
        while (from < events.size() && !Accepts(*events[from])) {
            ++from;
        }
        if (from < events.size()) {
            heads.push_back({events[from]->time, track, from});
            std::push_heap(heads.begin(), heads.end(), later);
        }
    };
    for (std::size_t track = 0; track < tracks.size(); ++track) {
        pushNextAccepted(track, 0);
    }
    while (!heads.empty()) {
        std::pop_heap(heads.begin(), heads.end(), later);
        const Head head = heads.back();
        heads.pop_back();
        events_.push_back(tracks[head.track]->events[head.next].get());
        pushNextAccepted(head.track, head.next + 1);
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
