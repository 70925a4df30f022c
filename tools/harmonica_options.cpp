#include "tools/harmonica_options.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "settings/colour_presets.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

// A whole number written with digits only; none for other text or one too
// large to matter.
std::optional<std::size_t> Count(std::string_view text) {
    std::size_t number = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

template <class Tuning>
std::string TuningList(std::span<const Tuning> list) {
    std::string names;
    for (std::size_t i = 0; i < list.size(); ++i) {
        names.append("\n  ")
            .append(std::to_string(i + 1))
            .append(i + 1 < 10 ? "   \"" : "  \"")
            .append(list[i].name.view())
            .append("\"");
    }
    return names;
}

bool LooksLikeTuningFile(const std::string& text) {
    std::error_code ignored;
    return text.ends_with(".tun") || std::filesystem::exists(text, ignored);
}

}  // namespace

bool IsPlayedNote(const MidiEvent& event) {
    return event.isSoundingNoteOn() && !event.isPercussion();
}

std::string TabWord(const Tab& tab) {
    return tab.symbol + tab.holeText + (tab.lowHole ? "'" : "");
}

bool HarmonicaOptions::Usage(const std::string& problem) {
    // A command may read several options before it looks at the outcome:
    // only the first failure is told.
    if (exitCode_ == kExitOk) {
        exitCode_ = UsageError(command_, problem, io_);
    }
    return false;
}

std::optional<int> HarmonicaOptions::Integer(std::string_view name, int least, int most,
                                             int fallback) {
    const auto value = line_.integer(name);
    if (!line_.ok()) {
        Usage(line_.error());
        return std::nullopt;
    }
    if (!value) {
        return fallback;
    }
    if (*value < least || *value > most) {
        Usage("--" + std::string(name) + " must lie in " + std::to_string(least) + " to " +
              std::to_string(most) + ", not " + std::to_string(*value));
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

template <class Tuning>
const Tuning* HarmonicaOptions::ChooseTuning(std::span<const Tuning> list, const Tuning& fallback,
                                             HarmonicaLayout& layout, std::string_view kind) {
    const auto text = line_.value("tuning");
    if (!text) {
        return &fallback;
    }
    if (const auto number = Count(*text)) {
        if (*number >= 1 && *number <= list.size()) {
            return &list[*number - 1];
        }
        Usage("there is no " + std::string(kind) + " tuning number " + *text + "; they are" +
              TuningList(list));
        return nullptr;
    }
    const auto named = std::find_if(list.begin(), list.end(), [&](const Tuning& tuning) {
        return tuning.name.view() == *text;
    });
    if (named != list.end()) {
        return &*named;
    }
    if (!LooksLikeTuningFile(*text)) {
        Usage("unknown " + std::string(kind) + " tuning \"" + *text +
              "\"; give a number or a name of the list, or a .tun file:" + TuningList(list));
        return nullptr;
    }
    if (layout.LoadTuningFile(*text) != 0) {
        io_.err << "tavrino-tool: " << *text << ": not a " << kind
                << " tuning file, or it cannot be read\n";
        exitCode_ = kExitFailure;
        return nullptr;
    }
    return &list.back();  // "Custom...", which the file has just filled
}

const DiatonicTuning* HarmonicaOptions::ChooseDiatonicTuning(DiatonicLayout& layout) {
    return ChooseTuning(DiatonicTunings(), DefaultDiatonicTuning(), layout, "diatonic");
}

bool HarmonicaOptions::ChooseColours(Settings& settings) {
    const std::string colours = line_.value("colours").value_or("default");
    if (colours == "high-contrast") {
        ApplyHighContrastPreset(settings);
        return true;
    }
    return colours == "default" || Usage("--colours needs default or high-contrast");
}

bool HarmonicaOptions::ChooseHarmonica(Harmonica& harmonica, bool notesAllowed) {
    const std::string kind = line_.value("harmonica").value_or("diatonic");
    if (kind == "notes" && notesAllowed) {
        return Integer("key", 0, kNoteCount - 1, 60).has_value();
    }
    if (kind != "diatonic" && kind != "chromatic") {
        return Usage(
            "--harmonica must be " +
            std::string(notesAllowed ? "diatonic, chromatic or notes" : "diatonic or chromatic") +
            ", not \"" + kind + "\"");
    }
    return ChooseHarmonicaKind(kind, harmonica);
}

bool HarmonicaOptions::ChooseHarmonicaKind(std::string_view kind, Harmonica& harmonica) {
    const auto key = Integer("key", 0, kNoteCount - 1, 60);
    if (!key) {
        return false;
    }
    if (kind == "diatonic") {
        const DiatonicTuning* tuning = ChooseDiatonicTuning(harmonica.diatonic);
        if (tuning == nullptr) {
            return false;
        }
        harmonica.diatonic.Build(*key, tuning);
        harmonica.layout = &harmonica.diatonic;
        return true;
    }
    if (kind == "chromatic") {
        const ChromaticTuning* tuning = ChooseTuning(ChromaticTunings(), DefaultChromaticTuning(),
                                                     harmonica.chromatic, "chromatic");
        if (tuning == nullptr) {
            return false;
        }
        harmonica.chromatic.Build(*key, tuning);
        harmonica.layout = &harmonica.chromatic;
        return true;
    }
    return false;
}

std::optional<std::vector<std::size_t>> HarmonicaOptions::LoadSongTracks(MidiSong& song) {
    exitCode_ = LoadSong(song, line_.positionals().front(), io_);
    if (exitCode_ != kExitOk) {
        return std::nullopt;
    }
    return ChooseTracks(song);
}

std::optional<std::vector<std::size_t>> HarmonicaOptions::ChooseTracks(const MidiSong& song) {
    std::vector<std::size_t> tracks;
    const auto text = line_.value("tracks");
    if (!text) {
        for (std::size_t i = 0; i < song.tracks.size(); ++i) {
            const auto& events = song.tracks[i]->events;
            if (std::any_of(events.begin(), events.end(),
                            [](const auto& event) { return IsPlayedNote(*event); })) {
                tracks.push_back(i);
            }
        }
        return tracks;
    }
    std::string_view rest = *text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const auto track = Count(item);
        if (!track || *track >= song.tracks.size()) {
            Usage("--tracks: there is no track \"" + std::string(item) + "\"; the song has " +
                  std::to_string(song.tracks.size()) + " tracks, numbered from 0 as `info` shows");
            return std::nullopt;
        }
        if (std::find(tracks.begin(), tracks.end(), *track) == tracks.end()) {
            tracks.push_back(*track);
        }
        if (comma == std::string_view::npos) {
            return tracks;
        }
        rest.remove_prefix(comma + 1);
    }
}

}  // namespace tavrino::tool
