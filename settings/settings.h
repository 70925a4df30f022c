#pragma once

#include <cstdint>
#include <string>

#include "settings/colour.h"
#include "settings/settings_store.h"

namespace tavrino {

// The tablature marks, one character each, named by their settings keys.
struct TabSymbols {
    char dblowSym = '+';   // diatonic blow
    char ddrawSym = '-';   // diatonic draw
    char dbendSym = '\'';  // one step of a bend
    char doverSym = 'o';   // overblow and overdraw
    char cblowSym = '+';   // chromatic blow
    char cdrawSym = '-';   // chromatic draw
    char cslideSym = '<';  // chromatic slide pushed in

    friend bool operator==(const TabSymbols&, const TabSymbols&) = default;
};

// The bits of SaveSettings: each writes back one group of options, the group
// a page of the options changes at once.
enum SettingsGroup : unsigned {
    kDiatonicSymbolsGroup = 1,
    kChromaticSymbolsGroup = 2,
    kScoreFontsGroup = 4,
    kLyricsGroup = 8,
    kPlayGroup = 16,
    kPrintGroup = 32,
    kPracticeLoopGroup = 64,
    kColoursGroup = 128,  // the harmonica's bar colours and how labels show on them
};

inline constexpr int kNamingSystemCount = 5;
// A font face name holds at most this many characters (the system font
// structures have room for 32 with the terminator).
inline constexpr std::size_t kFaceNameLimit = 31;
// A file path kept in the settings, in bytes.
inline constexpr std::size_t kPathLimit = 4096;
inline constexpr int kMostBeatsPerLine = 48;
// Extra pixels between the staff positions of a printed line.
inline constexpr int kMostPrintTabSpace = 10;
// The tempo slider's range, in percent of the song's own tempo.
inline constexpr int kLeastTempoPercent = 10;
inline constexpr int kMostTempoPercent = 200;

// Every persisted option of section "Settings", named by its key, holding
// its default until loaded.
struct Settings {
    std::int32_t tabStaffSpace = 1;
    std::int16_t musicNoteType = 0;  // note naming system, 0 to kNamingSystemCount - 1

    std::string fontTabFaceName = "Arial";
    std::int32_t fontTabHeight = -11;  // negative: character height
    std::int32_t fontTabWeight = 400;
    std::int32_t fontTabItalic = 0;
    std::string fontTextFaceName = "Arial";
    std::int32_t fontTextHeight = -12;
    std::int32_t fontTextWeight = 400;
    std::int32_t fontTextItalic = 0;
    std::string fontLyricsFaceName = "Arial";
    std::int32_t fontLyricsHeight = -16;
    std::int32_t fontLyricsWeight = 700;
    std::int32_t fontLyricsItalic = 0;
    Colour fontLyricsTxt{0x000000};
    Colour fontLyricsBg{0xFFFF80};

    TabSymbols symbols;

    Colour colorSelect{0xFFFF00};
    Colour colorPlayed{0xFFC000};
    Colour colorNormal1{0x5CFF5C};
    Colour colorNormal2{0x40FFFF};
    Colour colorBlow{0x00FF00};
    Colour colorDraw{0x00C000};
    Colour colorOver{0x0000FF};
    Colour colorBend{0x00FFFF};
    // 0: tablature labels in black; 1: in bold, black or white, whichever
    // stands out more on the bar's colour.
    std::int32_t tabLabelContrast = 0;

    std::int32_t playMetronome = 0;
    std::int32_t playerRepeat = 0;  // 0 none, 1 one file, 2 the whole play list
    std::int32_t midiDevice = -1;   // -1 is the default output
    // The synthesizer's sound output, chosen by hand; empty: the first that
    // starts.
    std::string audioDriver;
    // The built-in synthesizer's SoundFont chosen by the user; empty: the
    // first found in the standard places.
    std::string soundFont;
    std::int32_t showPitchBends = 1;
    std::int32_t offsetsharpsflats = 0;
    // Practice loops, while both marks are set: each pass may play faster
    // than the one before (a step of 0 keeps the tempo) and start after a
    // count-in.
    std::int32_t loopTempoStart = 70;  // percent of the song's tempo on the first pass
    std::int32_t loopTempoStep = 0;    // percent added per pass
    std::int32_t loopTempoTop = 100;   // the step stops here
    std::int32_t loopCountIn = 0;
    std::int32_t tablatureType = 0;  // the score's: 0 notes, 1 diatonic, 2 chromatic tablature

    std::int32_t printTabSpace = 0;
    std::int32_t printTrebleClef = 1;
    std::int32_t printBassClef = 0;
    std::int32_t printNoColorBars = 0;
    std::int16_t printBeatsPerLine = 16;  // 1 to kMostBeatsPerLine

    friend bool operator==(const Settings&, const Settings&) = default;
};

// Reads every option of section "Settings". A value that is missing, of the
// wrong type or outside what its option can hold keeps its default; a face
// name is cut to kFaceNameLimit bytes, a path to kPathLimit.
Settings LoadSettings(const SettingsStore& store);

// Writes the options of the groups in `groups` (SettingsGroup bits). Options
// in no group are read only, so only a value put in the store by hand changes
// them.
void SaveSettings(SettingsStore& store, const Settings& settings, unsigned groups);

}  // namespace tavrino
