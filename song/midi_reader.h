#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "song/midi_song.h"

namespace tavrino {

// Result codes of ReadMidiFile.
enum ReadResult : int {
    kReadOk = 0,
    kReadCannotOpen = 1,
    kReadError = 3,
    kReadBadHeader = 4,
};

// What a caller may want to hear while a file loads.
class ReadListener {
public:
    virtual ~ReadListener() = default;
    // Percentage of the file read so far, reported when it changes.
    virtual void OnProgress(int percent) { (void)percent; }
    // The file ended at an event boundary before its chunks said it would;
    // what was read is kept.
    virtual void OnTruncated() {}
};

// The warning the user sees about a truncated file, and its caption.
inline constexpr const char* kTruncatedWarningText =
    "Warning:\nMidi file looks truncated\nLoading as much as possible";
inline constexpr const char* kTruncatedWarningCaption = "File Warning!";

// Larger files are refused: no song comes near it, and reading one would
// take the memory of many songs.
inline constexpr std::size_t kLargestMidiFile = std::size_t{256} << 20;

// Fills the song from a Standard MIDI File (format 0 or 1; format 0 is split
// into one track per channel and loads as format 1), pairs its notes,
// guarantees a time signature at tick 0 and builds the bar table. On failure
// the song is left reset (lastError may tell more). Running out of memory is
// a read error ("Out of memory").
int ReadMidiFile(MidiSong& song, const std::string& path, ReadListener* listener = nullptr);
// The same for a file already in memory; `path` is only recorded.
int ReadMidiData(MidiSong& song, std::span<const std::uint8_t> bytes, const std::string& path,
                 ReadListener* listener = nullptr);

}  // namespace tavrino
