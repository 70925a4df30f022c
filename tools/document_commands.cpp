// The commands that edit a MIDI file: transpose and crop. They go through the
// song document, so a file edited here changes exactly as in the desktop
// program.

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "document/song_crop.h"
#include "tools/document_file_edit.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

// --from and --to as ticks; a problem is recorded in `line`.
Marks ReadMarks(CommandLine& line) {
    Marks marks;
    for (const auto& [option, mark] : {std::pair{"from", &marks.begin}, {"to", &marks.end}}) {
        const std::optional<long long> tick = line.integer(option);
        if (!tick || !line.ok()) {
            continue;
        }
        if (*tick < 0 || *tick > std::numeric_limits<std::int32_t>::max()) {
            line.fail(std::string("--") + option + " needs a tick from 0 to 2147483647");
        } else {
            *mark = static_cast<std::int32_t>(*tick);
        }
    }
    if (IsMarkSet(marks.begin) && IsMarkSet(marks.end) && marks.end <= marks.begin) {
        line.fail("--to must be later than --from");
    }
    return marks;
}

// "1,3,4" as track indexes.
std::optional<std::vector<int>> ParseTrackList(const std::string& text) {
    std::vector<int> tracks;
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    while (true) {
        int track = 0;
        const auto [next, problem] = std::from_chars(at, end, track);
        if (problem != std::errc() || track < 0) {
            return std::nullopt;
        }
        tracks.push_back(track);
        if (next == end) {
            return tracks;
        }
        if (*next != ',') {
            return std::nullopt;
        }
        at = next + 1;
    }
}

int RunTranspose(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"semitones", true}, {"tracks", true}, {"from", true}, {"to", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    const std::optional<long long> semitones = line.integer("semitones");
    const Marks marks = ReadMarks(line);
    std::optional<std::vector<int>> tracks;
    if (const auto list = line.value("tracks")) {
        tracks = ParseTrackList(*list);
        if (!tracks) {
            line.fail("--tracks needs track numbers separated by commas, not \"" + *list + "\"");
        }
    }
    if (!semitones) {
        line.fail("--semitones is required");
    } else if (*semitones < -127 || *semitones > 127) {
        line.fail("--semitones must lie between -127 and 127");
    }
    return EditFile(self, line, marks, io, [&](CTavrinoDoc& doc) {
        // The document transposes "the current tracks": the visible ones.
        if (tracks) {
            for (const int track : *tracks) {
                if (static_cast<std::size_t>(track) >= doc.song.tracks.size()) {
                    return UsageError(self,
                                      "there is no track " + std::to_string(track) +
                                          " (the song has " +
                                          std::to_string(doc.song.tracks.size()) + ")",
                                      io);
                }
            }
            for (std::size_t t = 0; t < doc.song.tracks.size(); ++t) {
                const bool chosen =
                    std::find(tracks->begin(), tracks->end(), static_cast<int>(t)) != tracks->end();
                doc.song.tracks[t]->flags = chosen ? MidiTrack::kVisible : 0;
            }
        }
        return doc.Transpose(static_cast<int>(*semitones), !tracks) == 0 ? kExitOk : kExitFailure;
    });
}

std::string CropHelp() {
    std::string help =
        "  IN           a Standard MIDI File (.mid, .kar)\n"
        "  OUT          the file to write; a failed write leaves an existing OUT as it was\n"
        "  --from TICK  the first tick kept; it becomes tick 0\n"
        "  --to TICK    the first tick no longer kept; every track ends there\n\n"
        "What is in force at --from is kept at tick 0: the tempo, the time signature,\n"
        "programs, texts, and the last setting of the controllers\n ";
    std::size_t lineStart = help.size() - 1;
    for (const KeptController& controller : KeptControllers) {
        const bool last = &controller == &KeptControllers.back();
        std::string item(1, ' ');
        item.append(controller.name).append(last ? "." : ",");
        if (help.size() - lineStart + item.size() > 78) {
            help += "\n ";
            lineStart = help.size() - 1;
        }
        help += item;
    }
    help += "\nNotes that sound at --to are cut there.\n";
    return help;
}

const std::string kCropHelp = CropHelp();

int RunCrop(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"from", true}, {"to", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 2, 2, io, exitCode)) {
        return exitCode;
    }
    const Marks marks = ReadMarks(line);
    if (!IsMarkSet(marks.begin) || !IsMarkSet(marks.end)) {
        line.fail("--from and --to are both required");
    }
    return EditFile(self, line, marks, io, [](CTavrinoDoc& doc) {
        doc.OnCrop();
        return kExitOk;
    });
}

const Command kCommands[] = {
    {"transpose", "IN OUT --semitones N [--tracks LIST] [--from TICK] [--to TICK]",
     "Transpose the notes of a MIDI file by half steps and save it.",
     "  IN              a Standard MIDI File (.mid, .kar)\n"
     "  OUT             the file to write; a failed write leaves an existing OUT as it was\n"
     "  --semitones N   half steps up (positive) or down (negative), -127 to 127\n"
     "  --tracks LIST   only these tracks, numbered as 'info' lists them (e.g. 1,3);\n"
     "                  every track when absent\n"
     "  --from TICK     only notes that start at or after this tick\n"
     "  --to TICK       only notes that end at or before this tick\n\n"
     "Notes on channel 10 (percussion) never move, and a note that would leave the\n"
     "MIDI range stays where it is.\n",
     RunTranspose},
    {"crop", "IN OUT --from TICK --to TICK", "Keep only a stretch of a MIDI file and save it.",
     kCropHelp, RunCrop},
};

}  // namespace

std::span<const Command> DocumentCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
