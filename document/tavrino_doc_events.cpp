// CTavrinoDoc: the edits of the event-editing dialogs (tempo changes, time
// signatures, track names and the track order).

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "document/tavrino_doc.h"

namespace tavrino {

namespace {

bool IsTempo(double beatsPerMinute) {
    return std::isfinite(beatsPerMinute) && beatsPerMinute >= kSlowestBeatsPerMinute &&
           beatsPerMinute <= kFastestBeatsPerMinute;
}

// 24 MIDI clocks a quarter note and 8 thirty-seconds to the quarter: what
// every file that does not say otherwise means.
constexpr int kClocksPerClick = 24;
constexpr int kThirtySecondsPerQuarter = 8;

}  // namespace

int CTavrinoDoc::SetTempoChange(TempoEvent& tempo, double beatsPerMinute) {
    if (!IsTempo(beatsPerMinute) || tempo.track == nullptr) {
        return kRefused;
    }
    // The player reads tempo events while it fills its buffers.
    const bool playing = player_.IsPlaying();
    if (playing) {
        player_.Pause();
    }
    tempo.setValue(static_cast<std::int32_t>(60000000.0 / beatsPerMinute));
    if (playing) {
        player_.Resume();
    }
    SetModified(1, kOtherEdit);
    FollowTempoChange();
    return 0;
}

int CTavrinoDoc::AddTempoChange(std::int32_t time, double beatsPerMinute) {
    if (!IsTempo(beatsPerMinute) || song.tracks.empty()) {
        return kRefused;
    }
    const int result = AddEvent(time, 0, std::make_unique<TempoEvent>(beatsPerMinute));
    if (result == 0) {
        FollowTempoChange();
    }
    return result;
}

int CTavrinoDoc::DeleteTempoChange(TempoEvent& tempo) {
    if (tempo.track == nullptr) {
        return kRefused;
    }
    // The player starts again at the tempo set here, so it goes first.
    const bool wasPlaying = StopPlayer();
    DeleteEvent(song, tempo);
    SetModified(1, kOtherEdit);
    FollowTempoChange();
    RestartPlayer(wasPlaying);
    return 0;
}

void CTavrinoDoc::FollowTempoChange() {
    player_.SetTempo(song.TempoAt(player_.PlayTick()));
    host_.ShowTempo();
}

int CTavrinoDoc::SetTimeSignature(std::int32_t time, int numerator, int denominator) {
    const bool meter = numerator >= 1 && numerator <= kLargestNumerator && denominator >= 1 &&
                       denominator <= kLargestDenominator &&
                       std::has_single_bit(static_cast<unsigned>(denominator));
    if (!meter || song.tracks.empty() || time < 0) {
        return kRefused;
    }
    const bool wasPlaying = StopPlayer();
    auto signature = std::make_unique<TimeSignatureEvent>(numerator, denominator, kClocksPerClick,
                                                          kThirtySecondsPerQuarter);
    const auto there = std::find_if(song.timeSignatures.begin(), song.timeSignatures.end(),
                                    [time](const MidiEvent* event) { return event->time == time; });
    if (there != song.timeSignatures.end()) {
        (*there)->setPayload((*signature).payload());
        song.RebuildBars();
    } else {
        InsertEvent(song, time, 0, std::move(signature));
    }
    SetModified(1, kOtherEdit);
    host_.RepaintView();
    host_.ResetMonitors(false);
    RestartPlayer(wasPlaying);
    return 0;
}

int CTavrinoDoc::DeleteTimeSignature(TimeSignatureEvent& signature) {
    // The first signature sets the meter of every bar before the next one.
    if (signature.track == nullptr || song.timeSignatures.empty() ||
        song.timeSignatures.front() == &signature) {
        return kRefused;
    }
    const bool wasPlaying = StopPlayer();
    DeleteEvent(song, signature);
    SetModified(1, kOtherEdit);
    host_.RepaintView();
    host_.ResetMonitors(false);
    RestartPlayer(wasPlaying);
    return 0;
}

int CTavrinoDoc::RenameTrack(int trackIndex, std::string_view name) {
    if (trackIndex < 0 || static_cast<std::size_t>(trackIndex) >= song.tracks.size()) {
        return kRefused;
    }
    MidiTrack& track = *song.tracks[static_cast<std::size_t>(trackIndex)];
    if (track.name == name) {
        return 0;
    }
    track.name = name;
    // The stored name counts its terminating 0, as the name events of the
    // files this program wrote always have.
    const auto length = static_cast<std::uint32_t>(name.size() + 1);
    auto bytes = std::make_unique<std::uint8_t[]>(length + 1);
    std::memcpy(bytes.get(), name.data(), name.size());
    bytes[name.size()] = 0;
    bytes[length] = 0;
    const auto named = std::find_if(track.events.begin(), track.events.end(), [](const auto& e) {
        return e->kind() == EventKind::TrackName;
    });
    if (named != track.events.end()) {
        SetEventText(**named, std::move(bytes), length);
        return 0;
    }
    auto event = std::make_unique<TrackNameEvent>();
    event->metaType = 0x03;
    event->setPayload(std::move(bytes), length);
    return AddEvent(0, trackIndex, std::move(event));
}

int CTavrinoDoc::MoveTrack(int trackIndex, int newIndex) {
    const int count = static_cast<int>(song.tracks.size());
    if (trackIndex <= 0 || newIndex <= 0 || trackIndex >= count || newIndex >= count) {
        return kRefused;
    }
    if (trackIndex == newIndex) {
        return 0;
    }
    const bool wasPlaying = StopPlayer();
    auto track = std::move(song.tracks[static_cast<std::size_t>(trackIndex)]);
    song.tracks.erase(song.tracks.begin() + trackIndex);
    song.tracks.insert(song.tracks.begin() + newIndex, std::move(track));
    SetModified(1, kOtherEdit);
    host_.RepaintView();
    host_.ResetMonitors(true);
    RestartPlayer(wasPlaying);
    return 0;
}

}  // namespace tavrino
