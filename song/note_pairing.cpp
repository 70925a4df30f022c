#include "song/note_pairing.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace tavrino {

namespace {

// Report pieces are only added while the report is this much short of its
// capacity, so that it never grows past it.
constexpr std::size_t kReportCapacity = 4096;
constexpr std::size_t kReportRoom = kReportCapacity - 50;

// Keys are (channel, note) with the note's full stored value: data bytes of
// 0x80-0xFF are kept as read, and must not reach past any table.
constexpr int kNotesPerChannel = 256;
constexpr int kKeys = 16 * kNotesPerChannel;

int KeyOf(const MidiEvent& event) {
    return event.channel() * kNotesPerChannel + (event.data1 & 0xFF);
}

struct TrackCounts {
    int overlapped = 0;
    int unfinished = 0;
    int extra = 0;
    int corrected = 0;
};

// The pending note-on a note-off at `time` ends. Overlapping notes on one key
// close innermost first, but a note-on at the note-off's own tick cannot be
// the one it ends: files commonly restart a key just before releasing it, and
// pairing those two would drop the repeated note. Only when every pending
// note-on started at that tick is the newest one closed (a zero-length note).
MidiEvent* TakeNoteEndedAt(std::vector<MidiEvent*>& waiting, std::int32_t time) {
    auto ended = std::find_if(waiting.rbegin(), waiting.rend(),
                              [time](const MidiEvent* on) { return on->time < time; });
    if (ended == waiting.rend()) {
        ended = waiting.rbegin();
    }
    MidiEvent* on = *ended;
    waiting.erase(std::next(ended).base());
    return on;
}

class TrackPairing {
public:
    TrackPairing(MidiSong& song, std::vector<std::vector<MidiEvent*>>& pending,
                 std::vector<std::unique_ptr<MidiEvent>>& removed)
        : song_(song), pending_(pending), removed_(removed) {}

    TrackCounts Run(MidiTrack& track);

private:
    void Pair(std::vector<std::unique_ptr<MidiEvent>>& events);
    void DropUnfinished();
    void DropZeroLength();
    void AppendReport(const char* piece);
    // Marks the event for removal: it leaves its track at the end of the pass.
    void Detach(MidiEvent& event) {
        event.track = nullptr;
        ++detached_;
    }
    static bool IsDetached(const MidiEvent& event) { return event.track == nullptr; }

    MidiSong& song_;
    std::vector<std::vector<MidiEvent*>>& pending_;
    std::vector<std::unique_ptr<MidiEvent>>& removed_;
    std::array<std::int32_t, kKeys> active_{};
    std::vector<MidiEvent*> zeroLength_;  // paired note-ons whose note-off came at once
    long orphanTime_ = 0;
    std::size_t detached_ = 0;
    TrackCounts counts_;
};

TrackCounts TrackPairing::Run(MidiTrack& track) {
    auto& events = track.events;
    Pair(events);
    DropUnfinished();
    DropZeroLength();
    if (detached_ == 0) {
        return counts_;
    }
    // Detached events leave the track in one stable pass, so that long runs of
    // removals cost no more than a clean track.
    std::size_t kept = 0;
    for (auto& event : events) {
        if (IsDetached(*event)) {
            removed_.push_back(std::move(event));
        } else {
            events[kept++] = std::move(event);
        }
    }
    events.resize(kept);
    return counts_;
}

void TrackPairing::Pair(std::vector<std::unique_ptr<MidiEvent>>& events) {
    for (auto& held : events) {
        MidiEvent& event = *held;
        if (event.isPercussion()) {
            continue;
        }
        const int key = KeyOf(event);
        if (event.isSoundingNoteOn()) {
            auto& waiting = pending_[key];
            if (active_[key] < 0) {
                // An orphan note-off came earlier on this key: this note-on
                // would be paired with the wrong end.
                char piece[96];
                std::snprintf(piece, sizeof piece,
                              " extra notes discarded chan %d note %d (%ld-%ld)",
                              event.channel() + 1, event.data1 & 0xFF,
                              static_cast<long>(event.time), orphanTime_);
                AppendReport(piece);
                Detach(event);
                ++counts_.extra;
            } else {
                if (!waiting.empty()) {
                    ++counts_.overlapped;
                    event.overlapped = 1;
                    waiting.back()->overlapped = 1;
                }
                waiting.push_back(&event);
            }
            ++active_[key];
        } else if (event.isNoteEnd()) {
            auto& waiting = pending_[key];
            if (!waiting.empty()) {
                MidiEvent* on = TakeNoteEndedAt(waiting, event.time);
                on->duration = event.time - on->time;
                on->buddy = &event;
                event.buddy = on;
                if (on->duration == 0) {
                    zeroLength_.push_back(on);
                }
            }
            if (--active_[key] < 0) {
                orphanTime_ = event.time;
                Detach(event);
            }
        }
    }
}

void TrackPairing::DropUnfinished() {
    for (int key = 0; key < kKeys; ++key) {
        auto& waiting = pending_[key];
        if (waiting.empty()) {
            continue;
        }
        counts_.unfinished += static_cast<int>(waiting.size());
        char piece[64];
        std::snprintf(piece, sizeof piece, "\n chan %d note %d (x%d)", key / kNotesPerChannel + 1,
                      key % kNotesPerChannel, static_cast<int>(waiting.size()));
        AppendReport(piece);
        for (MidiEvent* on : waiting) {
            Detach(*on);
        }
        waiting.clear();
    }
}

// After the first two passes every note-off left has been paired (an
// unpaired one always drove its key's count below zero and was dropped), and
// every note-on left has its duration from this run. What remains to correct
// are notes that end where they start: both halves go.
void TrackPairing::DropZeroLength() {
    for (MidiEvent* on : zeroLength_) {
        Detach(*on->buddy);
        Detach(*on);
        counts_.corrected += 2;
    }
}

void TrackPairing::AppendReport(const char* piece) {
    if (song_.pairingReport.size() < kReportRoom) {
        song_.pairingReport += piece;
    }
}

}  // namespace

void PairNotes(MidiSong& song) {
    song.correctedCount = 0;
    song.unfinishedCount = 0;
    song.overlappedCount = 0;
    song.pairingReport.clear();

    std::vector<std::vector<MidiEvent*>> pending(kKeys);
    std::vector<std::unique_ptr<MidiEvent>> removed;
    for (const auto& track : song.tracks) {
        const TrackCounts counts = TrackPairing(song, pending, removed).Run(*track);
        song.overlappedCount += counts.overlapped;
        song.unfinishedCount += counts.unfinished;
        song.correctedCount += counts.corrected;
    }
    if (!removed.empty()) {
        song.messages.RemoveDetached();
    }
    // `removed` destroys the events here, after every list has let go of them.
}

}  // namespace tavrino
