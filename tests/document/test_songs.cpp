#include "document/test_songs.h"

#include <algorithm>

#include "document/song_edits.h"
#include "song/note_pairing.h"

namespace tavrino::test {

MidiTrack& AddTrack(MidiSong& song) {
    song.tracks.push_back(std::make_unique<MidiTrack>());
    return *song.tracks.back();
}

MidiEvent& AddEvent(MidiTrack& track, std::int32_t time, std::unique_ptr<MidiEvent> event) {
    event->time = time;
    return *track.Add(std::move(event));
}

MidiEvent& AddNote(MidiTrack& track, int channel, int pitch, std::int32_t start, std::int32_t end,
                   int velocity, bool offAsNoteOn) {
    MidiEvent& on =
        AddEvent(track, start, CreateChannelEvent(start, 0x90 | channel, pitch, velocity));
    const int offStatus = (offAsNoteOn ? 0x90 : 0x80) | channel;
    AddEvent(track, end, CreateChannelEvent(end, offStatus, pitch, offAsNoteOn ? 0 : 64));
    return on;
}

MidiEvent& AddController(MidiTrack& track, int channel, int number, int value, std::int32_t time) {
    return AddEvent(track, time, CreateChannelEvent(time, 0xB0 | channel, number, value));
}

MidiEvent& AddTempo(MidiTrack& track, std::int32_t time, std::int32_t microsecondsPerQuarter) {
    auto tempo = std::make_unique<TempoEvent>(120.0);
    tempo->setValue(microsecondsPerQuarter);
    return AddEvent(track, time, std::move(tempo));
}

void FinishSong(MidiSong& song, std::int16_t division) {
    song.format = 1;
    song.division = division;
    if (song.tracks.empty()) {
        return;
    }
    const bool hasMeterAtZero =
        std::any_of(song.tracks.front()->events.begin(), song.tracks.front()->events.end(),
                    [](const auto& event) {
                        return event->kind() == EventKind::TimeSignature && event->time == 0;
                    });
    if (!hasMeterAtZero) {
        AddEvent(*song.tracks.front(), 0, std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    }
    for (const auto& track : song.tracks) {
        auto& events = track->events;
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a->time < b->time; });
        const std::int32_t last = events.empty() ? 0 : events.back()->time;
        if (events.empty() || events.back()->kind() != EventKind::EndOfTrack) {
            AddEvent(*track, last, std::make_unique<EndOfTrackEvent>());
        }
        for (const auto& event : events) {
            event->track = track.get();
            song.songLength = std::max(song.songLength, event->time);
            if (event->kind() == EventKind::Tempo) {
                song.tempos.push_back(static_cast<TempoEvent*>(event.get()));
            } else if (event->kind() == EventKind::TimeSignature) {
                song.timeSignatures.push_back(static_cast<TimeSignatureEvent*>(event.get()));
            }
        }
    }
    std::stable_sort(song.tempos.begin(), song.tempos.end(), EarlierThan);
    std::stable_sort(song.timeSignatures.begin(), song.timeSignatures.end(), EarlierThan);
    song.messages.MergeTracks(song.tracks);
    PairNotes(song);
    MarkPlayable(song);
    song.RebuildBars();
}

void MakeRandomSong(MidiSong& song, std::mt19937& random, int tracks, int eventsPerTrack,
                    std::int32_t ticks) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int t = 0; t < tracks; ++t) {
        MidiTrack& track = AddTrack(song);
        const int channel = t == 0 ? 0 : (pick(0, 5) == 0 ? 9 : t % 16);
        for (int e = 0; e < eventsPerTrack; ++e) {
            const std::int32_t time = pick(0, ticks);
            switch (pick(0, 9)) {
                case 0:
                    AddController(track, channel, pick(0, 1) ? 7 : pick(0, 127), pick(0, 127),
                                  time);
                    break;
                case 1:
                    AddEvent(track, time,
                             CreateChannelEvent(time, 0xC0 | channel, pick(0, 127), 0));
                    break;
                case 2:
                    AddEvent(track, time,
                             CreateChannelEvent(time, 0xE0 | channel, pick(0, 127), pick(0, 127)));
                    break;
                case 3:
                    if (t == 0 && pick(0, 1) == 0) {
                        AddTempo(track, time, pick(300000, 900000));
                    } else {
                        AddEvent(track, time,
                                 CreateMetaEvent(time, 0x01, std::span<const std::uint8_t>()));
                    }
                    break;
                case 4:
                    if (t == 0) {
                        AddEvent(track, time,
                                 std::make_unique<TimeSignatureEvent>(pick(2, 7), 1 << pick(1, 3),
                                                                      24, 8));
                        break;
                    }
                    [[fallthrough]];
                default:
                    AddNote(track, channel, pick(30, 100), time, time + pick(0, 960), pick(0, 127),
                            pick(0, 3) == 0);
                    break;
            }
        }
    }
    FinishSong(song);
}

}  // namespace tavrino::test
