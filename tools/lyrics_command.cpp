// The lyrics command: the words of a song as the lyrics window shows them,
// for reading, searching and checking the encoding a file was written in.

#include <QString>
#include <algorithm>

#include "monitors/song_text_decoding.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunLyrics(const Command& self, const std::vector<std::string>& args, Io& io);

const Command kCommands[] = {
    {"lyrics", "IN [--track N] [--encoding NAME]",
     "Print the words of a song, with its line and paragraph breaks, in UTF-8.",
     "  IN          a Standard MIDI File (.mid, .kar)\n"
     "  --track     the track whose words are shown (as 'info' numbers them); by default\n"
     "              the first of the tracks with the most text and lyric events\n"
     "  --encoding  how to read words that are not UTF-8 (default windows-1252), e.g.\n"
     "              Shift_JIS, GB18030, Big5, EUC-KR, windows-1251; words that are valid\n"
     "              UTF-8 are always read as UTF-8\n",
     RunLyrics},
};

int RunLyrics(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"track", true}, {"encoding", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 1, io, exitCode)) {
        return exitCode;
    }
    const std::string fallback = line.value("encoding").value_or(std::string(kDefaultEncoding));
    if (!MakeTextDecoder(fallback)) {
        return UsageError(self, "--encoding: there is no encoding \"" + fallback + "\"", io);
    }
    const std::optional<long long> track = line.integer("track");
    if (!line.ok()) {
        return UsageError(self, line.error(), io);
    }
    MidiSong song;
    if (const int loaded = LoadSong(song, line.positionals()[0], io); loaded != kExitOk) {
        return loaded;
    }
    const std::vector<int> lyricTracks = LyricTracks(song);
    const int shown = track ? static_cast<int>(*track) : PreferredLyricTrack(song);
    if (shown < 0) {
        io.err << "tavrino-tool: " << line.positionals()[0] << ": the song has no words\n";
        return kExitOk;
    }
    if (std::find(lyricTracks.begin(), lyricTracks.end(), shown) == lyricTracks.end()) {
        return UsageError(self, "--track: track " + std::to_string(*track) + " has no words", io);
    }
    const SongEncoding encoding = ChooseSongEncoding(song, fallback);
    const LyricText lyrics = BuildLyricText(*song.tracks[static_cast<std::size_t>(shown)],
                                            *MakeTextDecoder(encoding.name));
    const std::u16string& text = lyrics.text();
    io.out << QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
    if (!text.empty() && text.back() != u'\n') {
        io.out << '\n';
    }
    return io.out.flush() ? kExitOk : kExitFailure;
}

}  // namespace

std::span<const Command> LyricsCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
