// The commands on harmonicas: the note-to-tab chart, a song's tablature, and
// which harmonica plays a song best.

#include <algorithm>
#include <cstdio>
#include <optional>

#include "harmonica/key_ranking.h"
#include "harmonica/note_naming.h"
#include "tools/harmonica_options.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunTabmap(const Command& self, const std::vector<std::string>& args, Io& io);
int RunTab(const Command& self, const std::vector<std::string>& args, Io& io);
int RunKeys(const Command& self, const std::vector<std::string>& args, Io& io);

const Command kCommands[] = {
    {"tabmap", "--harmonica diatonic|chromatic [--tuning T] [--key K] [--naming N]",
     "Chart every MIDI note's tabs on a harmonica, preferred first.",
     "  --harmonica  the kind of harmonica\n"
     "  --tuning T   the tuning's number in its list, its exact name, or a .tun file;\n"
     "               default the first diatonic or the 12-hole chromatic tuning\n"
     "  --key K      the harmonica's key as a MIDI note, 0-127 (default 60: a C harmonica\n"
     "               whose hole 1 blows middle C)\n"
     "  --naming N   note names: 0 C D E F G A B, 1 C D E F G A H, 2 DO RE MI FA SOL LA TI,\n"
     "               3 DO RE MI FA SOL LA SI, 4 UT RE MI FA SOL LA TI (default 0)\n"
     "\nOne line per MIDI note 0-127: the note, a tab, its name, a tab, then its tabs\n"
     "separated by blanks. The harmonica's title goes to standard error.\n",
     RunTabmap},
    {"tab",
     "IN [--harmonica diatonic|chromatic|notes] [--tuning T] [--key K] [--naming N] "
     "[--tracks LIST]",
     "Write a song's tablature, bar by bar, the way a tab sheet reads.",
     "  IN           a Standard MIDI File (.mid, .kar)\n"
     "  --harmonica  the kind of harmonica (default diatonic); notes writes note names\n"
     "  --tuning, --key, --naming  as for tabmap\n"
     "  --tracks     track numbers as `info` shows them, comma separated; default every\n"
     "               track with notes that are not percussion\n"
     "\nNotes that start together are joined, groups are separated by blanks; (x) marks\n"
     "a note the harmonica cannot play.\n",
     RunTab},
    {"keys", "IN [--tuning T] [--tracks LIST]",
     "Tell which diatonic harmonica plays a song best, best first.",
     "  IN        a Standard MIDI File (.mid, .kar)\n"
     "  --tuning  a diatonic tuning, as for tabmap\n"
     "  --tracks  as for tab\n"
     "\nFor each key, in its best octave, the song's notes are counted by how the\n"
     "harmonica plays them. Fewest unavailable notes rank first, then fewest overblows\n"
     "and overdraws, then fewest bends. --key gives the key for tab and tabmap.\n",
     RunKeys},
};

const TabSymbols kDefaultSymbols;

int RunTabmap(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args,
                     {{"harmonica", true}, {"tuning", true}, {"key", true}, {"naming", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 0, 0, io, exitCode)) {
        return exitCode;
    }
    if (!line.has("harmonica")) {
        return UsageError(self, "missing --harmonica", io);
    }
    HarmonicaOptions options(self, line, io);
    const auto naming = options.Integer("naming", 0, kNamingSystemCount - 1, 0);
    Harmonica harmonica;
    if (!naming || !options.ChooseHarmonica(harmonica, false)) {
        return options.exitCode();
    }
    const HarmonicaLayout& layout = *harmonica.layout;
    io.err << layout.GetTitle() << "\n";
    for (int note = 0; note < kNoteCount; ++note) {
        io.out << note << '\t' << NoteName(note, *naming) << '\t';
        for (int index = 0; const auto tab = layout.GetTab(note, index, kDefaultSymbols); ++index) {
            io.out << (index == 0 ? "" : " ") << TabWord(*tab);
        }
        io.out << '\n';
    }
    return io.out.flush() ? kExitOk : kExitFailure;
}

struct SongNote {
    std::int32_t time;
    int key;

    friend auto operator<=>(const SongNote&, const SongNote&) = default;
};

// One line per bar that has notes: "Bar N:", then the groups of notes that
// start together.
void WriteTrackTab(const MidiSong& song, const MidiTrack& track, const HarmonicaLayout* layout,
                   int naming, std::ostream& out) {
    std::vector<SongNote> notes;
    for (const auto& event : track.events) {
        if (IsPlayedNote(*event)) {
            notes.push_back({event->time, event->data1});
        }
    }
    if (notes.empty()) {
        out << "(no notes)\n";
        return;
    }
    // Within a chord, lowest note first.
    std::sort(notes.begin(), notes.end());
    std::optional<std::int64_t> bar;
    std::optional<std::int32_t> groupTime;
    for (const SongNote& note : notes) {
        if (const std::int64_t noteBar = song.bars.IndexAt(note.time); noteBar != bar) {
            out << (bar ? "\n" : "") << "Bar " << noteBar + 1 << ":";
            bar = noteBar;
            groupTime.reset();
        }
        if (note.time != groupTime) {
            out << ' ';
            groupTime = note.time;
        }
        if (layout == nullptr) {
            out << NoteName(note.key, naming);
        } else if (const auto tab = layout->GetTab(note.key, 0, kDefaultSymbols)) {
            out << TabWord(*tab);
        } else {
            out << "(x)";
        }
    }
    out << '\n';
}

int RunTab(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(
        args,
        {{"harmonica", true}, {"tuning", true}, {"key", true}, {"naming", true}, {"tracks", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 1, io, exitCode)) {
        return exitCode;
    }
    HarmonicaOptions options(self, line, io);
    const auto naming = options.Integer("naming", 0, kNamingSystemCount - 1, 0);
    Harmonica harmonica;
    if (!naming || !options.ChooseHarmonica(harmonica, true)) {
        return options.exitCode();
    }
    MidiSong song;
    const auto tracks = options.LoadSongTracks(song);
    if (!tracks) {
        return options.exitCode();
    }
    io.out << "File: " << song.path << "\n"
           << "Tablature: " << (harmonica.layout ? harmonica.layout->GetTitle() : "note names")
           << "\n";
    for (const std::size_t index : *tracks) {
        const MidiTrack& track = *song.tracks[index];
        io.out << "\nTrack " << index << ": " << track.name << "\n";
        WriteTrackTab(song, track, harmonica.layout, *naming, io.out);
    }
    return io.out.flush() ? kExitOk : kExitFailure;
}

int RunKeys(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"tuning", true}, {"tracks", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 1, io, exitCode)) {
        return exitCode;
    }
    HarmonicaOptions options(self, line, io);
    DiatonicLayout loader;
    const DiatonicTuning* tuning = options.ChooseDiatonicTuning(loader);
    if (tuning == nullptr) {
        return options.exitCode();
    }
    MidiSong song;
    const auto tracks = options.LoadSongTracks(song);
    if (!tracks) {
        return options.exitCode();
    }
    NoteHistogram notes{};
    int total = 0;
    std::string trackList;
    for (const std::size_t index : *tracks) {
        trackList.append(trackList.empty() ? "" : ", ").append(std::to_string(index));
        for (const auto& event : song.tracks[index]->events) {
            if (IsPlayedNote(*event) && event->data1 >= 0 && event->data1 < kNoteCount) {
                ++notes[event->data1];
                ++total;
            }
        }
    }
    io.out << "File: " << song.path << "\n"
           << "Tuning: " << tuning->name.view() << "\n"
           << "Notes: " << total << (tracks->size() == 1 ? " on track " : " on tracks ")
           << (trackList.empty() ? "(none)" : trackList) << "\n\n"
           << "harmonica  --key   blow   draw   bend  overblow  overdraw  unavailable\n";
    char row[128];
    for (const KeyFit& fit : RankDiatonicKeys(notes, *tuning)) {
        const std::string name = std::string(kDiatonicKeys.Name(fit.choice.keyPosition)) + " " +
                                 std::string(kOctaveNames[fit.choice.octavePosition]);
        const TechniqueCounts& counts = fit.counts;
        std::snprintf(row, sizeof row, "%-9s  %5d  %5d  %5d  %5d  %8d  %8d  %11d\n", name.c_str(),
                      fit.key, counts[NoteTechnique::Blow], counts[NoteTechnique::Draw],
                      counts[NoteTechnique::Bend], counts[NoteTechnique::Overblow],
                      counts[NoteTechnique::Overdraw], counts[NoteTechnique::Unavailable]);
        io.out << row;
    }
    return io.out.flush() ? kExitOk : kExitFailure;
}

}  // namespace

std::span<const Command> HarmonicaCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
