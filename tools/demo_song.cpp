#include "tools/demo_song.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "song/note_pairing.h"

namespace tavrino {

namespace {

constexpr int kDivision = 480;
constexpr int kQuarter = kDivision;
constexpr int kEighth = kQuarter / 2;
constexpr int kHalf = 2 * kQuarter;
constexpr int kBar = 4 * kQuarter;
constexpr int kBars = 17;
constexpr int kSongEnd = kBars * kBar;

constexpr int kMelodyChannel = 0;
constexpr int kGuitarChannel = 1;
constexpr int kDrumChannel = 9;

// MIDI note numbers of the melody's range.
constexpr int C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69;

struct MelodyNote {
    int pitch;  // 0 for a rest
    int length;
    std::string_view syllable;  // empty where the previous syllable carries on
};

// The tune in C, with a pickup in the first bar. Syllables are as sung.
constexpr MelodyNote kMelody[] = {
    {0, 3 * kQuarter, ""},
    {C4, kEighth, "I "},
    {D4, kEighth, "come "},
    // I come from Alabama with a banjo on my knee,
    {E4, kQuarter, "from "},
    {G4, kQuarter, "Al"},
    {G4, kQuarter + kEighth, "a"},
    {A4, kEighth, "bam"},
    {G4, kQuarter, "a "},
    {E4, kQuarter, "with "},
    {C4, kQuarter + kEighth, "a "},
    {D4, kEighth, "ban"},
    {E4, kQuarter, "jo "},
    {E4, kQuarter, "on "},
    {D4, kQuarter, "my "},
    {C4, kQuarter, ""},
    {D4, 3 * kQuarter, "knee,\n"},
    {C4, kEighth, "I'm "},
    {D4, kEighth, "go"},
    // I'm going to Louisiana, my true love for to see.
    {E4, kQuarter, "ing "},
    {G4, kQuarter, "to "},
    {G4, kQuarter + kEighth, "Lou"},
    {A4, kEighth, "i"},
    {G4, kQuarter, "si"},
    {E4, kQuarter, "an"},
    {C4, kQuarter + kEighth, "a, "},
    {D4, kEighth, "my "},
    {E4, kQuarter, "true "},
    {E4, kQuarter, "love "},
    {D4, kQuarter, "for "},
    {D4, kQuarter, "to "},
    {C4, 3 * kQuarter, "see.\n"},
    {0, kQuarter, ""},
    // Oh! Susanna, oh don't you cry for me,
    {F4, kHalf, "Oh! "},
    {F4, kHalf, "Su"},
    {A4, kHalf, "san"},
    {A4, kHalf, "na, "},
    {G4, kQuarter, "oh "},
    {G4, kQuarter, "don't "},
    {E4, kQuarter, "you "},
    {C4, kQuarter, "cry "},
    {D4, kQuarter, "for "},
    {D4, kHalf, "me,\n"},
    {C4, kEighth, "For "},
    {D4, kEighth, "I "},
    // For I come from Alabama with my banjo on my knee.
    {E4, kQuarter, "come "},
    {G4, kQuarter, "from "},
    {G4, kQuarter + kEighth, "Al"},
    {A4, kEighth, "a"},
    {G4, kQuarter, "bam"},
    {E4, kQuarter, "a "},
    {C4, kQuarter + kEighth, "with "},
    {D4, kEighth, "my "},
    {E4, kQuarter, "ban"},
    {E4, kQuarter, "jo "},
    {D4, kQuarter, "on "},
    {D4, kQuarter, "my "},
    {C4, 4 * kQuarter, "knee.\n"},
};

// One chord a bar, from the second bar on.
enum Chord { kC, kF, kG7 };
constexpr Chord kHarmony[kBars] = {kC, kC, kC, kC,  kG7, kC, kC,  kG7, kC,
                                   kF, kC, kC, kG7, kC,  kC, kG7, kC};

struct Voicing {
    int bass;
    int fifth;
    std::array<int, 4> chord;  // 0 where the chord has three notes
};

constexpr Voicing VoicingOf(Chord chord) {
    switch (chord) {
        case kF:
            return {41, 48, {53, 57, 60, 0}};
        case kG7:
            return {43, 50, {53, 55, 59, 62}};
        default:
            return {48, 43, {52, 55, 60, 0}};
    }
}

// Collects a track's events in any order and adds them sorted by time, ends
// of notes before starts at the same tick, so repeated notes stay distinct.
class TrackBuilder {
public:
    explicit TrackBuilder(MidiTrack& track) : track_(track) {}

    void Note(int time, int length, int channel, int pitch, int velocity) {
        pending_.push_back(CreateChannelEvent(time, 0x90 | channel, pitch, velocity));
        // Detached a little before the next note, as a player breathes.
        pending_.push_back(CreateChannelEvent(time + length * 9 / 10, 0x80 | channel, pitch, 0));
    }
    void Channel(int time, int status, int data1, int data2) {
        pending_.push_back(CreateChannelEvent(time, status, data1, data2));
    }
    void Meta(int time, int type, std::string_view text) {
        pending_.push_back(CreateMetaEvent(
            time, type, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}));
    }
    void Add(std::unique_ptr<MidiEvent> event) { pending_.push_back(std::move(event)); }

    void Finish(int endTime) {
        std::stable_sort(pending_.begin(), pending_.end(), [](const auto& a, const auto& b) {
            if (a->time != b->time) {
                return a->time < b->time;
            }
            return a->isNoteEnd() && !b->isNoteEnd();
        });
        for (auto& event : pending_) {
            track_.Add(std::move(event));
        }
        auto end = std::make_unique<EndOfTrackEvent>();
        end->time = endTime;
        track_.Add(std::move(end));
    }

private:
    MidiTrack& track_;
    std::vector<std::unique_ptr<MidiEvent>> pending_;
};

MidiTrack& NewTrack(MidiSong& song, std::string_view name, std::vector<std::uint8_t> channels) {
    song.tracks.push_back(std::make_unique<MidiTrack>());
    MidiTrack& track = *song.tracks.back();
    track.name = std::string(name);
    track.channels = std::move(channels);
    return track;
}

void BuildConductor(MidiSong& song) {
    MidiTrack& track = NewTrack(song, "Oh! Susanna", {});
    TrackBuilder builder(track);
    builder.Meta(0, 0x03, "Oh! Susanna");
    builder.Meta(0, 0x02, "Stephen Foster, 1848. Public domain; entered for Tavrino.");
    builder.Add(std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    builder.Add(std::make_unique<KeySignatureEvent>(0, 0));
    builder.Add(std::make_unique<TempoEvent>(100.0));
    builder.Finish(kSongEnd);
}

void BuildMelody(MidiSong& song) {
    MidiTrack& track = NewTrack(song, "Melody (harmonica)", {kMelodyChannel});
    TrackBuilder builder(track);
    builder.Meta(0, 0x03, "Melody (harmonica)");
    builder.Channel(0, 0xC0 | kMelodyChannel, 22, 0);  // General MIDI harmonica
    builder.Channel(0, 0xB0 | kMelodyChannel, 7, 110);
    int time = 0;
    for (const MelodyNote& note : kMelody) {
        if (note.pitch != 0) {
            if (!note.syllable.empty()) {
                builder.Meta(time, 0x05, note.syllable);
            }
            builder.Note(time, note.length, kMelodyChannel, note.pitch, 96);
        }
        time += note.length;
    }
    builder.Finish(kSongEnd);
}

void BuildGuitar(MidiSong& song) {
    MidiTrack& track = NewTrack(song, "Guitar", {kGuitarChannel});
    TrackBuilder builder(track);
    builder.Meta(0, 0x03, "Guitar");
    builder.Channel(0, 0xC0 | kGuitarChannel, 24, 0);  // nylon guitar
    builder.Channel(0, 0xB0 | kGuitarChannel, 7, 80);
    // Bass on beats 1 and 3, the chord on beats 2 and 4, from the first full bar.
    for (int bar = 1; bar < kBars; ++bar) {
        const Voicing voicing = VoicingOf(kHarmony[bar]);
        const int start = bar * kBar;
        builder.Note(start, kQuarter, kGuitarChannel, voicing.bass, 84);
        builder.Note(start + 2 * kQuarter, kQuarter, kGuitarChannel, voicing.fifth, 76);
        for (const int beat : {1, 3}) {
            for (const int pitch : voicing.chord) {
                if (pitch != 0) {
                    builder.Note(start + beat * kQuarter, kQuarter, kGuitarChannel, pitch, 64);
                }
            }
        }
    }
    builder.Finish(kSongEnd);
}

void BuildDrums(MidiSong& song) {
    constexpr int kKick = 36, kSnare = 38, kClosedHat = 42;
    MidiTrack& track = NewTrack(song, "Drums", {kDrumChannel});
    TrackBuilder builder(track);
    builder.Meta(0, 0x03, "Drums");
    for (int bar = 1; bar < kBars; ++bar) {
        const int start = bar * kBar;
        for (int eighth = 0; eighth < 8; ++eighth) {
            const int time = start + eighth * kEighth;
            builder.Note(time, kEighth, kDrumChannel, kClosedHat, eighth % 2 == 0 ? 70 : 50);
            if (eighth % 2 == 0) {
                const bool backbeat = eighth == 2 || eighth == 6;
                builder.Note(time, kEighth, kDrumChannel, backbeat ? kSnare : kKick, 90);
            }
        }
    }
    builder.Finish(kSongEnd);
}

}  // namespace

void BuildDemoSong(MidiSong& song) {
    song.Reset();
    song.format = 1;
    song.division = kDivision;
    song.songLength = kSongEnd;
    BuildConductor(song);
    BuildMelody(song);
    BuildGuitar(song);
    BuildDrums(song);

    // The song-wide lists, as a load would leave them.
    for (const auto& track : song.tracks) {
        for (const auto& event : track->events) {
            if (event->kind() == EventKind::Tempo) {
                song.tempos.push_back(static_cast<TempoEvent*>(event.get()));
            } else if (event->kind() == EventKind::TimeSignature) {
                song.timeSignatures.push_back(static_cast<TimeSignatureEvent*>(event.get()));
            }
        }
    }
    song.messages.MergeTracks(song.tracks);
    PairNotes(song);
    song.RebuildBars();
}

}  // namespace tavrino
