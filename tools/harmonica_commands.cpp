// The commands on harmonicas: the note-to-tab chart, a song's tablature, and
// which harmonica plays a song best.

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <tuple>

#include "document/song_edits.h"
#include "harmonica/harp_plan.h"
#include "harmonica/note_naming.h"
#include "tools/harmonica_options.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunTabmap(const Command& self, const std::vector<std::string>& args, Io& io);
int RunTab(const Command& self, const std::vector<std::string>& args, Io& io);
int RunKeys(const Command& self, const std::vector<std::string>& args, Io& io);

// The weights are printed from the table the ranking uses.
std::string KeysHelpText() {
    constexpr std::array<const char*, kEffortCount> kEfforts = {
        "blow or draw",         "half-step bend, valved bend", "whole-step bend",
        "step-and-a-half bend", "overblow or overdraw",        "unavailable"};
    std::string weights;
    for (int effort = 0; effort < kEffortCount; ++effort) {
        std::string name = kEfforts[effort];
        name.resize(30, ' ');
        weights.append("  ")
            .append(name)
            .append(std::to_string(kEffortWeights[effort]))
            .append("\n");
    }
    return "  IN        a Standard MIDI File (.mid, .kar)\n"
           "  --tuning  a diatonic tuning, as for tabmap\n"
           "  --tracks  as for tab; default the melody: the track with lyrics, else the\n"
           "            highest track that plays one note at a time, else every track\n"
           "\nFor each key, in its best octave, the counted notes are sorted by how the\n"
           "harmonica plays them, each by its preferred tab, and weighed as a player feels\n"
           "them. What one note costs:\n" +
           weights +
           "The lowest total ranks first. The position counts from the harmonica's key to\n"
           "the song's, as players do (1st: the harmonica's key, 2nd: a fifth above it,\n"
           "3rd: two fifths above ...); the song's key comes from its key signature, else\n"
           "from its notes. --key gives the key for tab and tabmap.\n";
}

const std::string kKeysHelp = KeysHelpText();

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
     "Tell which diatonic harmonica plays a song best, and in which position.", kKeysHelp, RunKeys},
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

// Which tracks were counted and why.
std::string CountedText(const MidiSong& song, const HarpPlan& plan) {
    if (plan.counted.empty()) {
        return "no notes";
    }
    std::string text = plan.counted.size() == 1 ? "track " : "tracks ";
    for (std::size_t i = 0; i < plan.counted.size(); ++i) {
        const std::size_t track = plan.counted[i].track;
        text.append(i == 0 ? "" : ", ").append(std::to_string(track));
        if (const std::string& name = song.tracks[track]->name; !name.empty()) {
            text.append(" \"").append(name).append("\"");
        }
    }
    if (!plan.reason) {
        return text + ", as asked";
    }
    switch (*plan.reason) {
        case MelodyReason::kLyrics:
            return text + ", the melody: the track with lyrics";
        case MelodyReason::kHighestLine:
            return text + ", the melody: the highest track that plays one note at a time";
        case MelodyReason::kAllTracks:
            break;
    }
    return text + ", every track: no single melody line stands out";
}

std::string KeyText(const std::optional<SongKey>& key) {
    if (!key) {
        return "unknown (no notes)";
    }
    return key->Name() + (key->source == SongKey::Source::kKeySignature
                              ? " (from the key signature)"
                              : " (from the notes)");
}

// The best harmonica by each single measure, where a player may weigh
// differently from the ranking.
void WriteAlternatives(const std::vector<KeyFit>& fits, std::ostream& out) {
    const auto fewest = [&fits](auto measure) {
        return *std::min_element(fits.begin(), fits.end(), [&](const KeyFit& a, const KeyFit& b) {
            return measure(a) < measure(b);
        });
    };
    const KeyFit complete = fewest([](const KeyFit& fit) {
        return std::make_tuple(fit.efforts[Effort::Unavailable], fit.cost);
    });
    const KeyFit plain = fewest([](const KeyFit& fit) {
        return std::make_tuple(BendCount(fit) + fit.efforts[Effort::OverNote],
                               fit.efforts[Effort::Unavailable]);
    });
    out << "Fewest unavailable notes: " << HarpName(complete) << " ("
        << complete.efforts[Effort::Unavailable] << " unavailable, " << BendCount(complete)
        << " bends, " << complete.efforts[Effort::OverNote] << " overblows and overdraws)\n"
        << "Fewest bends: " << HarpName(plain) << " (" << BendCount(plain) << " bends, "
        << plain.efforts[Effort::OverNote] << " overblows and overdraws, "
        << plain.efforts[Effort::Unavailable] << " unavailable)\n";
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
    MarkPlayable(song);
    const HarpPlan plan = PlanHarps(song, SurveyTracks(song, [](const MidiTrack&) { return true; }),
                                    *tuning, line.has("tracks") ? tracks : std::nullopt);
    const auto position = [&plan](const KeyFit& fit) {
        const auto number = plan.PositionOf(fit);
        return number ? PositionName(*number) : std::string("-");
    };
    int total = 0;
    for (const TrackNotes& track : plan.counted) {
        total += track.count;
    }
    io.out << "File: " << song.path << "\n"
           << "Tuning: " << tuning->name.view() << "\n"
           << "Counted: " << CountedText(song, plan) << "\n"
           << "Notes: " << total << "\n"
           << "Song key: " << KeyText(plan.key) << "\n\n"
           << "harmonica  --key  position  blow  draw  bend1  bend2  bend3  overblow  overdraw"
              "  unavailable  cost\n";
    char row[160];
    for (const KeyFit& fit : plan.fits) {
        const TechniqueCounts& counts = fit.counts;
        std::snprintf(
            row, sizeof row, "%-9s  %5d  %8s  %4d  %4d  %5d  %5d  %5d  %8d  %8d  %11d  %4d\n",
            HarpName(fit).c_str(), fit.key, position(fit).c_str(), counts[NoteTechnique::Blow],
            counts[NoteTechnique::Draw], fit.efforts[Effort::HalfBend],
            fit.efforts[Effort::WholeBend], fit.efforts[Effort::DeepBend],
            counts[NoteTechnique::Overblow], counts[NoteTechnique::Overdraw],
            counts[NoteTechnique::Unavailable], fit.cost);
        io.out << row;
    }
    const KeyFit& best = plan.fits.front();
    io.out << "\nBest: " << HarpName(best)
           << (plan.key ? " in " + position(best) + " position" : "") << " (cost " << best.cost
           << ")\n";
    WriteAlternatives(plan.fits, io.out);
    return io.out.flush() ? kExitOk : kExitFailure;
}

}  // namespace

std::span<const Command> HarmonicaCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
