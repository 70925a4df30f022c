#include "settings/settings.h"

#include <concepts>
#include <limits>

#include "settings/utf8_prefix.h"

namespace tavrino {

namespace {

constexpr unsigned kReadOnly = 0;  // read at start-up, never written

struct Range {
    std::int64_t least;
    std::int64_t most;
};

template <std::integral Field>
constexpr Range FullRange() {
    if constexpr (std::same_as<Field, char>) {
        // Symbols are written as signed values; a byte value written by hand
        // is taken too.
        return {-128, 255};
    } else {
        return {std::numeric_limits<Field>::min(), std::numeric_limits<Field>::max()};
    }
}

// Every option once, with its key and save group; loading and saving both
// walk this list, so a key cannot be read under one name and written under
// another.
template <class AnySettings, class Visit>
void ForEachOption(AnySettings& s, Visit&& visit) {
    visit("tabStaffSpace", kReadOnly, s.tabStaffSpace);
    visit("musicNoteType", kPlayGroup, s.musicNoteType, Range{0, kNamingSystemCount - 1});
    visit("fontTabFaceName", kScoreFontsGroup, s.fontTabFaceName);
    visit("fontTabHeight", kScoreFontsGroup, s.fontTabHeight);
    visit("fontTabWeight", kScoreFontsGroup, s.fontTabWeight);
    visit("fontTabItalic", kScoreFontsGroup, s.fontTabItalic);
    visit("fontTextFaceName", kScoreFontsGroup, s.fontTextFaceName);
    visit("fontTextHeight", kScoreFontsGroup, s.fontTextHeight);
    visit("fontTextWeight", kScoreFontsGroup, s.fontTextWeight);
    visit("fontTextItalic", kScoreFontsGroup, s.fontTextItalic);
    visit("fontLyricsFaceName", kLyricsGroup, s.fontLyricsFaceName);
    visit("fontLyricsHeight", kLyricsGroup, s.fontLyricsHeight);
    visit("fontLyricsWeight", kLyricsGroup, s.fontLyricsWeight);
    visit("fontLyricsItalic", kLyricsGroup, s.fontLyricsItalic);
    visit("fontLyricsTxt", kLyricsGroup, s.fontLyricsTxt);
    visit("fontLyricsBg", kLyricsGroup, s.fontLyricsBg);
    visit("dblowSym", kDiatonicSymbolsGroup, s.symbols.dblowSym);
    visit("ddrawSym", kDiatonicSymbolsGroup, s.symbols.ddrawSym);
    visit("dbendSym", kDiatonicSymbolsGroup, s.symbols.dbendSym);
    visit("doverSym", kDiatonicSymbolsGroup, s.symbols.doverSym);
    visit("cblowSym", kChromaticSymbolsGroup, s.symbols.cblowSym);
    visit("cdrawSym", kChromaticSymbolsGroup, s.symbols.cdrawSym);
    visit("cslideSym", kChromaticSymbolsGroup, s.symbols.cslideSym);
    visit("colorSelect", kReadOnly, s.colorSelect);
    visit("colorPlayed", kReadOnly, s.colorPlayed);
    visit("colorNormal1", kReadOnly, s.colorNormal1);
    visit("colorNormal2", kReadOnly, s.colorNormal2);
    visit("colorBlow", kColoursGroup, s.colorBlow);
    visit("colorDraw", kColoursGroup, s.colorDraw);
    visit("colorOver", kColoursGroup, s.colorOver);
    visit("colorBend", kColoursGroup, s.colorBend);
    visit("tabLabelContrast", kColoursGroup, s.tabLabelContrast, Range{0, 1});
    visit("playMetronome", kPlayGroup, s.playMetronome);
    visit("playerRepeat", kPlayGroup, s.playerRepeat);
    visit("midiDevice", kPlayGroup, s.midiDevice);
    visit("audioDriver", kReadOnly, s.audioDriver);
    visit("soundFont", kPlayGroup, s.soundFont, kPathLimit);
    visit("showPitchBends", kPlayGroup, s.showPitchBends);
    visit("offsetsharpsflats", kPlayGroup, s.offsetsharpsflats);
    visit("loopTempoStart", kPracticeLoopGroup, s.loopTempoStart,
          Range{kLeastTempoPercent, kMostTempoPercent});
    visit("loopTempoStep", kPracticeLoopGroup, s.loopTempoStep, Range{0, kMostTempoPercent});
    visit("loopTempoTop", kPracticeLoopGroup, s.loopTempoTop,
          Range{kLeastTempoPercent, kMostTempoPercent});
    visit("loopCountIn", kPracticeLoopGroup, s.loopCountIn);
    visit("tablatureType", kPlayGroup, s.tablatureType, Range{0, 2});
    visit("printTabSpace", kPrintGroup, s.printTabSpace, Range{0, kMostPrintTabSpace});
    visit("printTrebleClef", kPrintGroup, s.printTrebleClef);
    visit("printBassClef", kPrintGroup, s.printBassClef);
    visit("printNoColorBars", kPrintGroup, s.printNoColorBars);
    visit("printBeatsPerLine", kPrintGroup, s.printBeatsPerLine, Range{1, kMostBeatsPerLine});
}

class Loader {
public:
    explicit Loader(const SettingsStore& store) : store_(store) {}

    template <std::integral Field>
    void operator()(std::string_view key, unsigned, Field& field,
                    Range range = FullRange<Field>()) const {
        const auto value = store_.ReadInteger(kOptionsSection, key);
        if (value && *value >= range.least && *value <= range.most) {
            field = static_cast<Field>(*value);
        }
    }

    void operator()(std::string_view key, unsigned, std::string& field,
                    std::size_t limit = kFaceNameLimit) const {
        if (const auto value = store_.ReadString(kOptionsSection, key)) {
            field = Utf8Prefix(*value, limit);
        }
    }

    void operator()(std::string_view key, unsigned, Colour& field) const {
        const auto value = store_.ReadInteger(kOptionsSection, key);
        if (value && *value >= 0 && *value <= Colour::kLargestStored) {
            field.stored = static_cast<std::uint32_t>(*value);
        }
    }

private:
    const SettingsStore& store_;
};

class Saver {
public:
    Saver(SettingsStore& store, unsigned groups) : store_(store), groups_(groups) {}

    template <std::integral Field>
    void operator()(std::string_view key, unsigned group, const Field& field, Range = {}) const {
        if (chosen(group)) {
            if constexpr (std::same_as<Field, char>) {
                store_.WriteInteger(kOptionsSection, key, static_cast<signed char>(field));
            } else {
                store_.WriteInteger(kOptionsSection, key, field);
            }
        }
    }

    void operator()(std::string_view key, unsigned group, const std::string& field,
                    std::size_t = kFaceNameLimit) const {
        if (chosen(group)) {
            store_.WriteString(kOptionsSection, key, field);
        }
    }

    void operator()(std::string_view key, unsigned group, const Colour& field) const {
        if (chosen(group)) {
            store_.WriteInteger(kOptionsSection, key, field.stored);
        }
    }

private:
    bool chosen(unsigned group) const { return (group & groups_) != 0; }

    SettingsStore& store_;
    unsigned groups_;
};

}  // namespace

Settings LoadSettings(const SettingsStore& store) {
    Settings settings;
    ForEachOption(settings, Loader(store));
    return settings;
}

void SaveSettings(SettingsStore& store, const Settings& settings, unsigned groups) {
    ForEachOption(settings, Saver(store, groups));
}

}  // namespace tavrino
