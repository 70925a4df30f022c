#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "song/midi_song.h"
#include "tools/command_line.h"
#include "tools/tool.h"

namespace tavrino::tool {

// The harmonica a command writes tablature for; no layout means note names.
struct Harmonica {
    DiatonicLayout diatonic;
    ChromaticLayout chromatic;
    const HarmonicaLayout* layout = nullptr;
};

// Reads the options the harmonica commands share. Every failure is reported
// once, with the valid choices, and leaves its exit status in exitCode().
class HarmonicaOptions {
public:
    HarmonicaOptions(const Command& command, CommandLine& line, Io& io)
        : command_(command), line_(line), io_(io) {}

    // --NAME N within least..most, or `fallback` when absent.
    std::optional<int> Integer(std::string_view name, int least, int most, int fallback);
    // --harmonica diatonic|chromatic (|notes when allowed), --tuning and
    // --key, building the chosen layout.
    bool ChooseHarmonica(Harmonica& harmonica, bool notesAllowed);
    // --tuning and --key for the harmonica of the kind, "diatonic" or
    // "chromatic"; the other layout of `harmonica` is left as it is.
    bool ChooseHarmonicaKind(std::string_view kind, Harmonica& harmonica);
    // --colours default|high-contrast: the harmonica's colours and labels
    // as the options' presets set them.
    bool ChooseColours(Settings& settings);
    // --tuning: a number in the diatonic list, a name in it, or a .tun file
    // loaded through the layout into "Custom..."; the default tuning when
    // absent. Null after a failure.
    const DiatonicTuning* ChooseDiatonicTuning(DiatonicLayout& layout);
    // Loads the song named by the first argument and picks its tracks:
    // --tracks LIST (numbers as `info` shows them, comma separated), or every
    // track with notes to play.
    std::optional<std::vector<std::size_t>> LoadSongTracks(MidiSong& song);

    int exitCode() const { return exitCode_; }

private:
    std::optional<std::vector<std::size_t>> ChooseTracks(const MidiSong& song);
    template <class Tuning>
    const Tuning* ChooseTuning(std::span<const Tuning> list, const Tuning& fallback,
                               HarmonicaLayout& layout, std::string_view kind);
    bool Usage(const std::string& problem);

    const Command& command_;
    CommandLine& line_;
    Io& io_;
    int exitCode_ = kExitOk;
};

// A note the harmonica is asked to play: sounding, and not percussion.
bool IsPlayedNote(const MidiEvent& event);

// A tab as one word: the action mark, the hole text, and "'" after a low
// chromatic hole's number.
std::string TabWord(const Tab& tab);

}  // namespace tavrino::tool
