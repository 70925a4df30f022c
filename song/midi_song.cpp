#include "song/midi_song.h"

#include <algorithm>

namespace tavrino {

void MidiSong::Reset() {
    lastError.clear();
    // Lists first: they refer to events the tracks are about to destroy.
    messages.Clear();
    tempos.clear();
    timeSignatures.clear();
    bars.Clear();
    tracks.clear();
    keyText.assign(1, 'C');
    division = 0;
    format = 0;
    songLength = 0;
    correctedCount = 0;
    unfinishedCount = 0;
    overlappedCount = 0;
    pairingReport.clear();
    loading = 0;
}

int MidiSong::TrackIndexOf(const MidiTrack* track) const {
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (tracks[i].get() == track) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool MidiSong::UnlistDetached() {
    const auto detached = [](const MidiEvent* event) { return event->track == nullptr; };
    messages.RemoveDetached();
    std::erase_if(tempos, detached);
    return std::erase_if(timeSignatures, detached) > 0;
}

std::int32_t MidiSong::TempoAt(std::int32_t tick) const {
    if (tempos.empty()) {
        return kDefaultTempo;
    }
    // The first tempo change at or after the tick is not in force yet; before
    // the first change of all, the song plays at that first tempo.
    const auto notYet =
        std::lower_bound(tempos.begin() + 1, tempos.end(), tick,
                         [](const TempoEvent* tempo, std::int32_t t) { return tempo->time < t; });
    return (*std::prev(notYet))->value();
}

Meter MidiSong::TimeSignatureAt(std::int32_t tick) const {
    if (timeSignatures.empty()) {
        return {};
    }
    const auto after = std::upper_bound(
        timeSignatures.begin(), timeSignatures.end(), tick,
        [](std::int32_t t, const TimeSignatureEvent* signature) { return t < signature->time; });
    const TimeSignatureEvent* signature =
        after == timeSignatures.begin() ? timeSignatures.front() : *std::prev(after);
    return {signature->numerator(), signature->denominator()};
}

const KeySignatureEvent* MidiSong::KeySignatureAt(std::int32_t tick) const {
    // Key signatures are few and have no list of their own: each track is
    // searched back from the tick.
    const MidiEvent* inForce = nullptr;
    const MidiEvent* first = nullptr;
    for (const auto& track : tracks) {
        const auto& events = track->events;
        const auto after =
            std::upper_bound(events.begin(), events.end(), tick,
                             [](std::int32_t t, const std::unique_ptr<MidiEvent>& event) {
                                 return t < event->time;
                             });
        const auto isKey = [](const std::unique_ptr<MidiEvent>& event) {
            return event->kind() == EventKind::KeySignature;
        };
        const auto latest = std::find_if(std::make_reverse_iterator(after), events.rend(), isKey);
        if (latest != events.rend() && (inForce == nullptr || (*latest)->time >= inForce->time)) {
            inForce = latest->get();
        }
        if (inForce == nullptr) {
            const auto earliest = std::find_if(after, events.end(), isKey);
            if (earliest != events.end() && (first == nullptr || (*earliest)->time < first->time)) {
                first = earliest->get();
            }
        }
    }
    return static_cast<const KeySignatureEvent*>(inForce != nullptr ? inForce : first);
}

void MidiSong::RebuildBars() {
    bars.Clear();
    std::int64_t t = 0;
    for (std::size_t i = 0; i < timeSignatures.size() && t < songLength; ++i) {
        // Of the signatures at one tick (a meter repeated in two tracks, or
        // left by a crop) the last one holds; the others make no bar.
        while (i + 1 < timeSignatures.size() && timeSignatures[i + 1]->time <= t) {
            ++i;
        }
        const TimeSignatureEvent& signature = *timeSignatures[i];
        const std::int64_t barLength =
            std::int64_t{division} * signature.numerator() * 4 / signature.denominator();
        // A bar without length would never reach the song's end.
        if (barLength <= 0) {
            break;
        }
        // Bars of this signature run until the song ends or the next signature
        // takes over; the first one is always counted.
        const bool hasNext = i + 1 < timeSignatures.size();
        const std::int64_t nextTime = hasNext ? timeSignatures[i + 1]->time : songLength;
        const std::int64_t limit = std::min<std::int64_t>(songLength, nextTime);
        const std::int64_t more = limit > t ? (limit - t + barLength - 1) / barLength - 1 : 0;
        const std::int64_t count = 1 + std::max<std::int64_t>(0, more);
        bars.AppendRun(t, static_cast<std::int32_t>(i), barLength, count);
        t += count * barLength;
        if (!hasNext || t < nextTime) {
            break;
        }
        t = nextTime;
    }
}

std::optional<BarBeat> MidiSong::TickToBarBeat(std::int32_t tick) const {
    if (tick < 0 || tick > songLength) {
        return std::nullopt;
    }
    const std::int64_t index = bars.IndexAt(tick);
    if (index < 0) {
        return BarBeat{1, 1, 0};
    }
    const std::int32_t offset = tick - bars[index].start;
    return BarBeat{static_cast<int>(index + 1), offset / division + 1, offset % division};
}

std::int32_t MidiSong::BarBeatToTick(int bar, int beat, int tick) const {
    const std::int64_t barIndex = std::max(bar - 1, 0);
    const std::int64_t beatIndex = std::max(beat - 1, 0);
    if (barIndex >= bars.size() || songLength == 0) {
        return 0;
    }
    const std::int64_t position = bars[barIndex].start + beatIndex * division + tick;
    return static_cast<std::int32_t>(std::min<std::int64_t>(position, songLength - 1));
}

}  // namespace tavrino
