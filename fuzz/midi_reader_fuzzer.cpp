// Any bytes given to the reader must end in a result code: no crash, no hang,
// no unbounded memory. A file that loads must also survive a save and load
// unchanged.

#include <cstdlib>

#include "song/midi_listing.h"
#include "song/midi_reader.h"
#include "song/midi_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavrino::MidiSong song;
    if (tavrino::ReadMidiData(song, {data, size}, "fuzz.mid") != tavrino::kReadOk) {
        return 0;
    }
    (void)tavrino::FormatListing(song);
    if (song.tracks.empty()) {
        return 0;
    }
    const std::vector<std::uint8_t> saved = tavrino::EncodeMidiFile(song);
    tavrino::MidiSong reloaded;
    if (tavrino::ReadMidiData(reloaded, saved, "saved.mid") != tavrino::kReadOk ||
        tavrino::EncodeMidiFile(reloaded) != saved) {
        std::abort();
    }
    return 0;
}
