#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "song/lyric_text.h"
#include "song/midi_song.h"

namespace tavrino {

// An encoding the lyrics window offers for songs whose text is not UTF-8.
struct OfferedEncoding {
    const char* label;  // what the user reads
    const char* name;   // what the converter knows it by
};

inline constexpr std::string_view kUtf8Encoding = "UTF-8";
// Most songs with text that is not UTF-8 come from Western karaoke files.
inline constexpr std::string_view kDefaultEncoding = "windows-1252";

std::span<const OfferedEncoding> OfferedEncodings();

// A decoder for the encoding, by any name the converter knows (case does not
// matter); none when there is no such encoding. A UTF-8 byte-order mark at
// the start of a text is dropped.
std::optional<TextDecoder> MakeTextDecoder(std::string_view name);

// How a song's words are read: UTF-8 when every text is valid UTF-8, else
// the encoding chosen for the file, `fallback` until one is.
struct SongEncoding {
    std::string name;
    bool isUtf8 = false;
};
SongEncoding ChooseSongEncoding(const MidiSong& song, std::string_view fallback);

// The encoding the user chose for each file, kept while the program runs.
class EncodingChoices {
public:
    static EncodingChoices& Session();

    // kDefaultEncoding for a file with no choice.
    std::string For(const std::string& path) const;
    void Remember(const std::string& path, std::string_view name);

private:
    std::map<std::string, std::string> choices_;
};

}  // namespace tavrino
