#include "settings/settings.h"

#include <gtest/gtest.h>

#include "settings/memory_settings_store.h"

namespace tavrino {
namespace {

// A settings value different from every default.
Settings Changed() {
    Settings s;
    s.tabStaffSpace = 3;
    s.musicNoteType = 4;
    s.fontTabFaceName = "Liberation Sans";
    s.fontTabHeight = -20;
    s.fontTabWeight = 700;
    s.fontTabItalic = 1;
    s.fontTextFaceName = "Courier";
    s.fontTextHeight = -9;
    s.fontTextWeight = 300;
    s.fontTextItalic = 1;
    s.fontLyricsFaceName = "Serif";
    s.fontLyricsHeight = -30;
    s.fontLyricsWeight = 400;
    s.fontLyricsItalic = 1;
    s.fontLyricsTxt = Colour{0x123456};
    s.fontLyricsBg = Colour{0x654321};
    s.symbols = TabSymbols{'B', 'D', '\xB4', 'O', 'b', 'd', 's'};
    s.colorSelect = Colour{1};
    s.colorPlayed = Colour{2};
    s.colorNormal1 = Colour{3};
    s.colorNormal2 = Colour{4};
    s.colorBlow = Colour{5};
    s.colorDraw = Colour{6};
    s.colorOver = Colour{7};
    s.colorBend = Colour{8};
    s.tabLabelContrast = 1;
    s.playMetronome = 1;
    s.playerRepeat = 2;
    s.midiDevice = 3;
    s.soundFont = "/usr/share/sounds/sf2/a SoundFont with a name longer than a face name.sf2";
    s.showPitchBends = 0;
    s.offsetsharpsflats = 1;
    s.tablatureType = 2;
    s.printTabSpace = 5;
    s.printTrebleClef = 0;
    s.printBassClef = 1;
    s.printNoColorBars = 1;
    s.printBeatsPerLine = 12;
    s.loopTempoStart = 60;
    s.loopTempoStep = 4;
    s.loopTempoTop = 90;
    s.loopCountIn = 1;
    return s;
}

TEST(Settings, AnEmptyStoreGivesEveryDefault) {
    const MemorySettingsStore empty;
    const Settings loaded = LoadSettings(empty);
    EXPECT_EQ(loaded, Settings{});
    EXPECT_EQ(loaded.symbols, (TabSymbols{'+', '-', '\'', 'o', '+', '-', '<'}));
    EXPECT_EQ(loaded.fontLyricsHeight, -16);
    EXPECT_EQ(loaded.midiDevice, -1);
    EXPECT_EQ(loaded.printBeatsPerLine, 16);
    EXPECT_EQ(loaded.colorBlow.ToRgb(), (Rgb{0, 255, 0}));
    EXPECT_EQ(loaded.colorDraw.ToRgb(), (Rgb{0, 192, 0}));
    EXPECT_EQ(loaded.colorBend.ToRgb(), (Rgb{255, 255, 0}));
    EXPECT_EQ(loaded.colorOver.ToRgb(), (Rgb{255, 0, 0}));
    EXPECT_EQ(loaded.fontLyricsBg.ToRgb(), (Rgb{0x80, 0xFF, 0xFF}));
}

TEST(Settings, SavedGroupsLoadBackAndUngroupedKeysAreNeverWritten) {
    MemorySettingsStore store;
    const Settings changed = Changed();
    SaveSettings(store, changed, 1 | 2 | 4 | 8 | 16 | 32 | 64 | 128);
    EXPECT_EQ(store.size(), 43u);
    for (const char* readOnly :
         {"tabStaffSpace", "colorSelect", "colorPlayed", "colorNormal1", "colorNormal2"}) {
        EXPECT_FALSE(store.contains(kOptionsSection, readOnly)) << readOnly;
    }
    Settings expected = changed;
    const Settings defaults;
    expected.tabStaffSpace = defaults.tabStaffSpace;
    expected.colorSelect = defaults.colorSelect;
    expected.colorPlayed = defaults.colorPlayed;
    expected.colorNormal1 = defaults.colorNormal1;
    expected.colorNormal2 = defaults.colorNormal2;
    EXPECT_EQ(LoadSettings(store), expected);
    // Symbols are stored as signed characters.
    EXPECT_EQ(store.ReadInteger(kOptionsSection, "dbendSym"), -76);
    EXPECT_EQ(store.ReadInteger(kOptionsSection, "fontLyricsBg"), 0x654321);
    // Values put in the store by hand reach the read-only options.
    store.WriteInteger(kOptionsSection, "colorPlayed", 0x0000FF);
    EXPECT_EQ(LoadSettings(store).colorPlayed.ToRgb(), (Rgb{255, 0, 0}));
}

TEST(Settings, EachGroupWritesItsOwnKeys) {
    const std::pair<unsigned, std::vector<const char*>> groups[] = {
        {1, {"dblowSym", "ddrawSym", "dbendSym", "doverSym"}},
        {2, {"cblowSym", "cdrawSym", "cslideSym"}},
        {4,
         {"fontTabFaceName", "fontTabHeight", "fontTabWeight", "fontTabItalic", "fontTextFaceName",
          "fontTextHeight", "fontTextWeight", "fontTextItalic"}},
        {8,
         {"fontLyricsFaceName", "fontLyricsHeight", "fontLyricsWeight", "fontLyricsItalic",
          "fontLyricsTxt", "fontLyricsBg"}},
        {16,
         {"playMetronome", "playerRepeat", "midiDevice", "soundFont", "showPitchBends",
          "offsetsharpsflats", "musicNoteType", "tablatureType"}},
        {32,
         {"printTrebleClef", "printBassClef", "printNoColorBars", "printBeatsPerLine",
          "printTabSpace"}},
        {64, {"loopTempoStart", "loopTempoStep", "loopTempoTop", "loopCountIn"}},
        {128, {"colorBlow", "colorDraw", "colorOver", "colorBend", "tabLabelContrast"}},
    };
    for (const auto& [bit, keys] : groups) {
        MemorySettingsStore store;
        SaveSettings(store, Settings{}, bit);
        EXPECT_EQ(store.size(), keys.size()) << "group " << bit;
        for (const char* key : keys) {
            EXPECT_TRUE(store.contains(kOptionsSection, key)) << "group " << bit << " " << key;
        }
    }
    MemorySettingsStore none;
    SaveSettings(none, Settings{}, 0);
    EXPECT_EQ(none.size(), 0u);
}

TEST(Settings, UnreadableValuesKeepTheirDefaults) {
    MemorySettingsStore store;
    store.WriteString(kOptionsSection, "fontTabHeight", "-11px");  // not a number
    store.WriteInteger(kOptionsSection, "musicNoteType", 5);       // no such naming system
    store.WriteInteger(kOptionsSection, "printBeatsPerLine", 0);
    store.WriteInteger(kOptionsSection, "printTrebleClef", std::int64_t{1} << 40);
    store.WriteInteger(kOptionsSection, "dblowSym", 300);
    store.WriteInteger(kOptionsSection, "colorDraw", 0x1000000);
    store.WriteInteger(kOptionsSection, "colorOver", -1);
    store.WriteInteger(kOptionsSection, "fontTextFaceName", 12);
    store.WriteInteger(kOptionsSection, "tabLabelContrast", 2);
    store.WriteInteger(kOptionsSection, "printTabSpace", kMostPrintTabSpace + 1);
    store.WriteInteger("Version 2.3", "midiDevice", 4);  // another section
    EXPECT_EQ(LoadSettings(store), Settings{});
    // A face name too long for the font structures is cut, never mid-character.
    std::string longFace(30, 'x');
    longFace += "\xC3\xA9\xC3\xA9";
    store.WriteString(kOptionsSection, "fontTabFaceName", longFace);
    EXPECT_EQ(LoadSettings(store).fontTabFaceName, std::string(30, 'x'));
    store.WriteInteger(kOptionsSection, "dblowSym", 200);  // a byte written unsigned by hand
    EXPECT_EQ(LoadSettings(store).symbols.dblowSym, '\xC8');
}

}  // namespace
}  // namespace tavrino
