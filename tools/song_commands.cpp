// The commands on MIDI files as such: listing, convert, info.

#include <cstdio>
#include <sstream>

#include "song/midi_listing.h"
#include "song/midi_writer.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunListing(const Command& self, const std::vector<std::string>& args, Io& io);
int RunConvert(const Command& self, const std::vector<std::string>& args, Io& io);
int RunInfo(const Command& self, const std::vector<std::string>& args, Io& io);

const Command kCommands[] = {
    {"info", "IN", "Tell what a MIDI file holds: tracks, length, tempo, meter, key.",
     "  IN   a Standard MIDI File (.mid, .kar)\n", RunInfo},
    {"listing", "IN [OUT]", "Write the disassembled listing of every event of a MIDI file.",
     "  IN   a Standard MIDI File (.mid, .kar)\n"
     "  OUT  the listing file; standard output when absent\n",
     RunListing},
    {"convert", "IN OUT", "Read a MIDI file and save it as a format 1 Standard MIDI File.",
     "  IN   a Standard MIDI File (format 0 or 1)\n"
     "  OUT  the file to write; a failed write leaves an existing OUT as it was\n",
     RunConvert},
};

int RunListing(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 2, io, exitCode)) {
        return exitCode;
    }
    MidiSong song;
    if (const int loaded = LoadSong(song, line.positionals()[0], io); loaded != kExitOk) {
        return loaded;
    }
    if (line.positionals().size() == 1) {
        io.out << FormatListing(song);
        return kExitOk;
    }
    const std::string& out = line.positionals()[1];
    return WriteListing(song, out) == 0 ? kExitOk : WriteError(out, io);
}

int RunConvert(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    MidiSong song;
    if (const int loaded = LoadSong(song, line.positionals()[0], io); loaded != kExitOk) {
        return loaded;
    }
    const std::string& out = line.positionals()[1];
    switch (WriteMidiFile(song, out)) {
        case kWriteOk:
            return kExitOk;
        case kWriteNoTracks:
            io.err << "tavrino-tool: " << line.positionals()[0]
                   << ": the song has no tracks; nothing written\n";
            return kExitFailure;
        default:
            return WriteError(out, io);
    }
}

std::string ChannelList(const MidiTrack& track) {
    if (track.channels.empty()) {
        return "-";
    }
    std::ostringstream list;
    for (std::size_t i = 0; i < track.channels.size(); ++i) {
        list << (i == 0 ? "" : ",") << track.channels[i] + 1;
    }
    return list.str();
}

void PrintInfo(const MidiSong& song, std::ostream& out) {
    char line[256];
    out << "file           " << song.path << "\n"
        << "format         " << song.format << "\n"
        << "division       " << song.division << " ticks per quarter note\n"
        << "tracks         " << song.tracks.size() << "\n"
        << "length         " << song.songLength << " ticks, " << song.bars.size() << " bars\n"
        << "key            " << song.keyText << "\n"
        << "note pairing   " << song.correctedCount << " corrected, " << song.overlappedCount
        << " overlapped, " << song.unfinishedCount << " unfinished\n";

    out << "\ntrack  channels      events  name\n";
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        const MidiTrack& track = *song.tracks[i];
        std::snprintf(line, sizeof line, "%5zu  %-12s %7zu  ", i, ChannelList(track).c_str(),
                      track.count());
        out << line << track.name << "\n";
    }

    out << "\ntempo changes  " << song.tempos.size() << "\n";
    for (const TempoEvent* tempo : song.tempos) {
        std::snprintf(line, sizeof line, "  tick %10ld  %7.2f bpm\n",
                      static_cast<long>(tempo->time),
                      tempo->value() > 0 ? 60000000.0 / tempo->value() : 0.0);
        out << line;
    }
    out << "\ntime signatures  " << song.timeSignatures.size() << "\n";
    for (const TimeSignatureEvent* signature : song.timeSignatures) {
        std::snprintf(line, sizeof line, "  tick %10ld  %d/%lld\n",
                      static_cast<long>(signature->time), signature->numerator(),
                      static_cast<long long>(signature->denominator()));
        out << line;
    }
}

int RunInfo(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 1, io, exitCode)) {
        return exitCode;
    }
    MidiSong song;
    if (const int loaded = LoadSong(song, line.positionals()[0], io); loaded != kExitOk) {
        return loaded;
    }
    PrintInfo(song, io.out);
    return kExitOk;
}

}  // namespace

std::span<const Command> SongCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
