#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "song/midi_song.h"

namespace tavrino {

// Turns the bytes of a song's text into UTF-16; the caller knows the encoding.
using TextDecoder = std::function<std::u16string(std::string_view bytes)>;

// Where one event's words stand in the lyrics: UTF-16 positions, end exclusive.
struct LyricRange {
    std::int32_t start = 0;
    std::int32_t end = 0;
};

// The words of one track as the lyrics window shows them: the karaoke marks
// of the events turned into line breaks ("\n"), tabs and blanks, and the
// range of each event's piece, so that playback can highlight it.
class LyricText {
public:
    // More text than anyone sings in one song; a track that carries more (a
    // damaged or hostile file) is cut here, so the window stays responsive.
    static constexpr std::size_t kMostCharacters = 512000;

    const std::u16string& text() const { return text_; }
    // Null when the event has no piece of its own to highlight.
    const LyricRange* RangeOf(const MidiEvent* event) const;
    std::size_t rangeCount() const { return ranges_.size(); }

    // Appends the piece of one text or lyric event.
    void AppendEvent(const MidiEvent& event, std::u16string_view words);

private:
    std::u16string text_;
    std::unordered_map<const MidiEvent*, LyricRange> ranges_;
};

// The lyrics of the track's text and lyric events, in track order.
LyricText BuildLyricText(const MidiTrack& track, const TextDecoder& decode);

// The tracks with text or lyric events, in song order.
std::vector<int> LyricTracks(const MidiSong& song);
// The first of them with the most text and lyric events; -1 when none has any.
int PreferredLyricTrack(const MidiSong& song);

}  // namespace tavrino
