// The tabtrack command: the score's tablature written into the song as a
// text track, for karaoke players.

#include "tools/document_file_edit.h"
#include "tools/harmonica_options.h"
#include "tools/tab_source.h"
#include "tools/tool_support.h"
#include "view/tab_track_notation.h"

namespace tavrino::tool {

namespace {

int RunTabTrack(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"harmonica", true}, {"tuning", true}, {"key", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    HarmonicaOptions options(self, line, io);
    Harmonica harmonica;
    if (!options.ChooseHarmonica(harmonica, true)) {
        return options.exitCode();
    }
    const Settings settings;
    const TabTrackNotation notation = MakeTabTrackNotation(TabSourceFor(harmonica, settings));
    return EditFile(self, line, Marks{}, io, [&](CTavrinoDoc& doc) {
        if (doc.OnTabTextTrack(notation) < 0) {
            io.err << "tavrino-tool: the song already has " << doc.song.tracks.size()
                   << " tracks; nothing written\n";
            return kExitFailure;
        }
        return kExitOk;
    });
}

const Command kCommands[] = {
    {"tabtrack", "IN OUT.mid [--harmonica diatonic|chromatic|notes] [--tuning T] [--key K]",
     "Add a text track with the tablature of every note, readable by karaoke players.",
     "  IN           a Standard MIDI File (.mid, .kar)\n"
     "  OUT.mid      the file to write; a failed write leaves an existing OUT as it was\n"
     "  --harmonica  the tablature written (default diatonic); notes writes note names\n"
     "  --tuning, --key  as for tabmap\n\n"
     "Every visible track's notes are written, one text event per group of notes\n"
     "that start together, with \"/\" opening each bar.\n",
     RunTabTrack},
};

}  // namespace

std::span<const Command> TabTrackCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
