// Edits on a long song while the user waits: a transposition, a crop, and
// step entry writing notes one event at a time. The song is made here: 16
// tracks of back-to-back eighth notes with a volume change every bar, 200,000
// events in all.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "document/song_crop.h"
#include "document/song_edits.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"

namespace tavrino {
namespace {

constexpr int kTracks = 16;
constexpr int kEventsPerTrack = 12500;
constexpr int kDivision = 480;
constexpr std::int32_t kEighth = kDivision / 2;

std::vector<std::uint8_t> LongSongFile() {
    MidiSong song;
    song.format = 1;
    song.division = kDivision;
    for (int t = 0; t < kTracks; ++t) {
        song.tracks.push_back(std::make_unique<MidiTrack>());
        MidiTrack& track = *song.tracks.back();
        const int channel = t == 9 ? 15 : t;  // no percussion: every note can move
        std::int32_t time = 0;
        for (int e = 0; track.count() + 3 < kEventsPerTrack; ++e) {
            if (e % 8 == 0) {
                track.Add(CreateChannelEvent(time, 0xB0 | channel, 7, 100));
            }
            const int pitch = 48 + (e * 7 + t) % 36;
            track.Add(CreateChannelEvent(time, 0x90 | channel, pitch, 90));
            time += kEighth;
            track.Add(CreateChannelEvent(time, 0x80 | channel, pitch, 0));
        }
        auto end = std::make_unique<EndOfTrackEvent>();
        end->time = time;
        track.Add(std::move(end));
    }
    return EncodeMidiFile(song);
}

const std::vector<std::uint8_t>& SongFile() {
    static const std::vector<std::uint8_t> bytes = LongSongFile();
    return bytes;
}

void Load(MidiSong& song) {
    ReadMidiData(song, SongFile(), "long.mid");
    MarkPlayable(song);
}

void TransposeLongSong(benchmark::State& state) {
    MidiSong song;
    Load(song);
    int semitones = 1;
    for (auto _ : state) {
        TransposeSong(song, semitones, kAllTracks, kNoMark, kNoMark);
        semitones = -semitones;
    }
    state.counters["events"] = static_cast<double>(song.messages.size());
}
BENCHMARK(TransposeLongSong)->Unit(benchmark::kMillisecond);

void CropLongSong(benchmark::State& state) {
    MidiSong song;
    for (auto _ : state) {
        state.PauseTiming();
        Load(song);
        const std::int32_t quarter = song.songLength / 4;
        state.ResumeTiming();
        CropSong(song, quarter, 3 * quarter);
    }
}
BENCHMARK(CropLongSong)->Unit(benchmark::kMillisecond);

// 500 notes, each a note-on and a note-off inserted one by one, written into
// one track from the given share of the song on, as step entry writes them.
void StepEntryOfAThousandEvents(benchmark::State& state) {
    MidiSong song;
    for (auto _ : state) {
        state.PauseTiming();
        Load(song);
        std::int32_t cursor = static_cast<std::int32_t>(song.songLength * state.range(0) / 100);
        state.ResumeTiming();
        for (int note = 0; note < 500; ++note) {
            InsertEvent(song, cursor, 3, CreateChannelEvent(0, 0x93, 72, 100));
            InsertEvent(song, cursor + kEighth - 20, 3, CreateChannelEvent(0, 0x83, 72, 0));
            cursor += kEighth;
        }
    }
}
BENCHMARK(StepEntryOfAThousandEvents)->Arg(0)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrino
