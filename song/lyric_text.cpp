#include "song/lyric_text.h"

#include <algorithm>

namespace tavrino {

namespace {

constexpr char16_t kLineBreak = u'\n';

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The karaoke marks of one event's words: "/", "\" and "%" break the line,
// "<" starts a paragraph, ">" is a tab, "^" a blank, and "@" opens a header
// line ("@T" title, "@L" language, ...) whose letter is not shown; a language
// header shows nothing at all.
std::u16string KaraokePiece(std::u16string_view words) {
    std::u16string piece;
    piece.reserve(words.size() + 2);
    bool headerLine = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const char16_t c = words[i];
        switch (c) {
            case u'/':
            case u'\\':
            case u'%':
            case u'\r':
            case u'\n':
                piece += kLineBreak;
                break;
            case u'<':
                piece.append(2, kLineBreak);
                break;
            case u'>':
                piece += u'\t';
                break;
            case u'^':
                piece += u' ';
                break;
            case u'@':
                if (i + 1 < words.size() && words[i + 1] == u'L') {
                    return piece;
                }
                // The header's letter goes too, whole even when it is not a
                // single UTF-16 unit; an "@" at the very end skips nothing.
                if (i + 1 < words.size()) {
                    i += IsHighSurrogate(words[i + 1]) && i + 2 < words.size() ? 2 : 1;
                }
                headerLine = true;
                break;
            default:
                piece += c;
                break;
        }
    }
    if (headerLine) {
        piece += kLineBreak;
    }
    return piece;
}

bool IsLoneLineBreak(std::u16string_view words) {
    return words == u"\n" || words == u"\r";
}

}  // namespace

const LyricRange* LyricText::RangeOf(const MidiEvent* event) const {
    const auto found = ranges_.find(event);
    return found == ranges_.end() ? nullptr : &found->second;
}

void LyricText::AppendEvent(const MidiEvent& event, std::u16string_view words) {
    if (text_.size() >= kMostCharacters) {
        return;
    }
    std::u16string piece = KaraokePiece(words);
    if (piece.empty()) {
        return;
    }
    piece.resize(std::min(piece.size(), kMostCharacters - text_.size()));
    const auto start = static_cast<std::int32_t>(text_.size());
    text_ += piece;
    // A piece that only breaks the line has nothing to highlight; a blank
    // that separates the piece from the previous word is not highlighted.
    if (!IsLoneLineBreak(words)) {
        ranges_[&event] = {piece.front() == u' ' ? start + 1 : start,
                           static_cast<std::int32_t>(text_.size())};
    }
}

LyricText BuildLyricText(const MidiTrack& track, const TextDecoder& decode) {
    LyricText lyrics;
    for (const auto& event : track.events) {
        if (event->isTextOrLyric()) {
            lyrics.AppendEvent(*event, decode(event->text()));
        }
    }
    return lyrics;
}

std::vector<int> LyricTracks(const MidiSong& song) {
    std::vector<int> tracks;
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        const MidiTrack& track = *song.tracks[i];
        if (track.textCount + track.lyricCount > 0) {
            tracks.push_back(static_cast<int>(i));
        }
    }
    return tracks;
}

int PreferredLyricTrack(const MidiSong& song) {
    int preferred = -1;
    std::int64_t most = 0;
    for (const int index : LyricTracks(song)) {
        const MidiTrack& track = *song.tracks[static_cast<std::size_t>(index)];
        const std::int64_t count = std::int64_t{track.textCount} + track.lyricCount;
        if (count > most) {
            most = count;
            preferred = index;
        }
    }
    return preferred;
}

}  // namespace tavrino
