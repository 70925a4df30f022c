#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "song/midi_event.h"
#include "song/midi_track.h"

namespace tavrino {

// Every playable event of every track, in time order: the player's input and
// the index space of event numbers shared by the player, the view and the
// monitors. Holds references; the tracks own the events.
//
// Only channel messages, system-exclusive events and the end-of-track, text,
// lyric and tempo meta events belong here; other kinds are silently ignored.
// Events of equal time keep their insertion order.
class MessageList {
public:
    static bool Accepts(const MidiEvent& event);

    // Inserts the event after every event whose time is at or before its own.
    void Insert(MidiEvent* event);
    // Inserts the event just before `successor`, a listed event of the same
    // time; as Insert when `successor` is null or not listed.
    void InsertBefore(MidiEvent* event, const MidiEvent* successor);
    // Inserts events given in time order, as Insert would one after the
    // other, in one pass over the list.
    void InsertInOrder(const std::vector<MidiEvent*>& events);
    // Removes the event by identity; nothing happens when it is not here.
    void Remove(const MidiEvent* event);
    void Clear();

    // Bulk loading, equal to inserting the same events one by one at a
    // fraction of the cost. Append adds at the end: the caller brings events
    // in time order. MergeTracks replaces the list by the events of the
    // tracks, as if inserted track after track.
    void Append(MidiEvent* event);
    void MergeTracks(const std::vector<std::unique_ptr<MidiTrack>>& tracks);
    // Drops, in one pass, every event that no longer belongs to a track.
    void RemoveDetached();

    std::size_t size() const { return events_.size(); }
    bool empty() const { return events_.empty(); }
    MidiEvent* operator[](std::size_t index) const { return events_[index]; }
    // Index of the event, or -1.
    std::ptrdiff_t IndexOf(const MidiEvent* event) const;
    auto begin() const { return events_.begin(); }
    auto end() const { return events_.end(); }

private:
    std::vector<MidiEvent*>::const_iterator Find(const MidiEvent* event) const;

    std::vector<MidiEvent*> events_;
};

}  // namespace tavrino
