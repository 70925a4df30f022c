#include "bench/bench_songs.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "song/midi_song.h"
#include "song/midi_writer.h"

namespace tavrino::bench {

std::vector<std::uint8_t> SteadySongFile(int seconds, int channels, int notesPerQuarter) {
    constexpr int kDivision = 480;
    const int quarters = seconds * 2;
    const int noteTicks = kDivision / notesPerQuarter;
    MidiSong song;
    song.format = 1;
    song.division = kDivision;
    for (int channel = 0; channel < channels; ++channel) {
        song.tracks.push_back(std::make_unique<MidiTrack>());
        MidiTrack& track = *song.tracks.back();
        track.Add(CreateChannelEvent(0, 0xC0 | channel, channel * 8, 0));
        const std::int32_t end = quarters * kDivision;
        for (std::int32_t time = 0; time < end; time += noteTicks) {
            const int pitch = 48 + (time / noteTicks * 5 + channel * 7) % 36;
            track.Add(CreateChannelEvent(time, 0x90 | channel, pitch, 80));
            track.Add(CreateChannelEvent(time + noteTicks - 10, 0x80 | channel, pitch, 0));
        }
        auto endOfTrack = std::make_unique<EndOfTrackEvent>();
        endOfTrack->time = end;
        track.Add(std::move(endOfTrack));
    }
    return EncodeMidiFile(song);
}

const std::string& FiveMinuteSong() {
    static const std::string path = [] {
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() / "tavrino-bench-five-minutes.mid";
        const std::vector<std::uint8_t> bytes = SteadySongFile(300, 6, 2);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }();
    return path;
}

}  // namespace tavrino::bench
