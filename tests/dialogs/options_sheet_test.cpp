#include "dialogs/options_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

#include "settings/colour_presets.h"
#include "settings/memory_settings_store.h"

namespace tavrino {
namespace {

using ::testing::HasSubstr;

class FakeHost : public OptionsHost {
public:
    std::vector<std::string> OutputNames() override { return names; }
    int DefaultOutput() override { return defaultOutput; }
    std::string CheckSoundFont(const std::string& path) override {
        return path.ends_with("damaged.sf2") ? "cannot read the SoundFont" : "";
    }
    void DisplayChanged() override { ++display; }
    void DeviceChanged() override { ++device; }
    void LyricsChanged() override { ++lyrics; }
    std::string StandardSoundFont() override { return "/usr/share/sounds/sf2/standard.sf2"; }

    std::vector<std::string> names = {"Built-in synthesizer (TimGM6mb.sf2)", "Port A"};
    int defaultOutput = 0;
    int display = 0;
    int device = 0;
    int lyrics = 0;
};

// The sheet over a settings record and an in-memory store, its standard
// dialogs answered from queues.
class OptionsSheetTest : public ::testing::Test {
protected:
    std::unique_ptr<CProperties> Sheet() {
        OptionsChoosers choosers;
        choosers.font = [this](QWidget*, const QFont&) { return Next(fonts_); };
        choosers.colour = [this](QWidget*, const QColor&) { return Next(colours_); };
        choosers.soundFont = [this](QWidget*, const QString&) { return Next(files_); };
        choosers.inform = [this](QWidget*, const QString&, const QString& text) {
            messages_.push_back(text.toStdString());
        };
        return std::make_unique<CProperties>(settings_, store_, host_, choosers);
    }

    template <class T>
    static std::optional<T> Next(std::deque<T>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }

    Settings settings_;
    MemorySettingsStore store_;
    FakeHost host_;
    std::deque<QFont> fonts_;
    std::deque<QColor> colours_;
    std::deque<QString> files_;
    std::vector<std::string> messages_;
};

TEST_F(OptionsSheetTest, ChangesOnSeveralPagesAreAllInForceAfterOneOk) {
    auto sheet = Sheet();
    EXPECT_FALSE(sheet->applyButton().isEnabled());
    QFont serif("Liberation Serif");
    serif.setPixelSize(14);
    serif.setWeight(QFont::Bold);
    fonts_.push_back(serif);
    sheet->general().ChooseTabFont();
    EXPECT_TRUE(sheet->applyButton().isEnabled());
    colours_.push_back(QColor(200, 0, 0));
    sheet->lyrics().ChooseTextColour();
    sheet->accept();

    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(settings_.fontTabFaceName, "Liberation Serif");
    EXPECT_EQ(settings_.fontTabHeight, -14);
    EXPECT_EQ(settings_.fontTabWeight, 700);
    EXPECT_EQ(settings_.fontLyricsTxt.ToRgb(), (Rgb{200, 0, 0}));
    EXPECT_EQ(LoadSettings(store_), settings_);
    EXPECT_EQ(host_.display, 1);
    EXPECT_EQ(host_.lyrics, 1);
    EXPECT_EQ(host_.device, 0);
}

TEST_F(OptionsSheetTest, ApplyTakesAChangeOverOnce) {
    auto sheet = Sheet();
    // Only the note naming changes; both of its groups are saved whole.
    sheet->general().naming().setCurrentIndex(2);
    emit sheet->general().naming().activated(2);
    EXPECT_TRUE(sheet->applyButton().isEnabled());
    ASSERT_TRUE(sheet->Apply());
    EXPECT_FALSE(sheet->applyButton().isEnabled());
    EXPECT_EQ(settings_.musicNoteType, 2);
    for (const char* key : {"musicNoteType", "midiDevice", "fontTabFaceName", "fontTextHeight"}) {
        EXPECT_TRUE(store_.contains(kOptionsSection, key)) << key;
    }
    EXPECT_FALSE(store_.contains(kOptionsSection, "printBeatsPerLine"));
    ASSERT_TRUE(sheet->Apply());
    EXPECT_EQ(host_.display, 1);
}

TEST_F(OptionsSheetTest, DevicesAreListedAsTheToolListsThemAndStoredByNumber) {
    auto sheet = Sheet();
    QComboBox& devices = sheet->general().devices();
    ASSERT_EQ(devices.count(), 3);
    EXPECT_EQ(devices.itemText(0), "Midi Mapper");
    EXPECT_EQ(devices.itemText(1), "Built-in synthesizer (TimGM6mb.sf2)  (default)");
    EXPECT_EQ(devices.itemText(2), "Port A");
    for (const auto& [item, stored] : {std::pair{1, 0}, std::pair{0, -1}, std::pair{2, 1}}) {
        sheet->general().ChooseDevice(item);
        ASSERT_TRUE(sheet->Apply());
        EXPECT_EQ(settings_.midiDevice, stored) << item;
        EXPECT_EQ(store_.ReadInteger(kOptionsSection, "midiDevice"), stored) << item;
    }
    EXPECT_EQ(host_.device, 3);
    EXPECT_EQ(host_.display, 0);
}

TEST_F(OptionsSheetTest, BeatsPerLineOutsideOneToFortyEightKeepTheSheetOpen) {
    auto sheet = Sheet();
    QLineEdit& beats = sheet->print().beatsPerLine();
    for (const char* wrong : {"0", "49", "1000", "x", ""}) {
        beats.setText(wrong);
        emit beats.textEdited(wrong);
        sheet->accept();
        EXPECT_NE(sheet->result(), QDialog::Accepted) << wrong;
        EXPECT_EQ(sheet->pages().currentWidget(), &sheet->print()) << wrong;
        ASSERT_FALSE(messages_.empty()) << wrong;
        EXPECT_EQ(messages_.back(), "Please enter an integer between 1 and 48.");
    }
    EXPECT_EQ(settings_.printBeatsPerLine, 16);
    EXPECT_FALSE(store_.contains(kOptionsSection, "printBeatsPerLine"));

    beats.setText("12");
    sheet->print().bass().click();
    sheet->print().tabSpace().setValue(3);
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    const Settings stored = LoadSettings(store_);
    EXPECT_EQ(stored.printBeatsPerLine, 12);
    EXPECT_EQ(stored.printBassClef, 1);
    EXPECT_EQ(stored.printTabSpace, 3);
}

TEST_F(OptionsSheetTest, ADamagedOrMissingSoundFontIsRefusedAndTheOneInUseKept) {
    EXPECT_EQ(Sheet()->general().soundFontName().text(), "standard.sf2 (found by itself)");
    settings_.soundFont = "/fonts/previous.sf2";
    auto sheet = Sheet();
    EXPECT_EQ(sheet->general().soundFontName().text(), "previous.sf2");
    files_.push_back("/fonts/damaged.sf2");
    sheet->general().ChooseSoundFont();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_THAT(messages_[0], HasSubstr("cannot read the SoundFont"));
    EXPECT_EQ(sheet->general().soundFontName().text(), "previous.sf2");
    EXPECT_FALSE(sheet->applyButton().isEnabled());

    files_.push_back("/fonts/better.sf2");
    sheet->general().ChooseSoundFont();
    EXPECT_EQ(sheet->general().soundFontName().text(), "better.sf2");
    sheet->accept();
    EXPECT_EQ(settings_.soundFont, "/fonts/better.sf2");
    EXPECT_EQ(LoadSettings(store_).soundFont, "/fonts/better.sf2");
    EXPECT_EQ(host_.device, 1);
}

TEST_F(OptionsSheetTest, ThePresetsSetAndRestoreTheColours) {
    Settings highContrast;
    ApplyHighContrastPreset(highContrast);
    auto sheet = Sheet();
    sheet->general().UseHighContrast();
    sheet->accept();
    EXPECT_EQ(settings_, highContrast);
    EXPECT_EQ(LoadSettings(store_), highContrast);

    auto again = Sheet();
    again->general().UseDefaultColours();
    again->accept();
    EXPECT_EQ(settings_, Settings{});
    EXPECT_EQ(LoadSettings(store_), Settings{});
    EXPECT_EQ(host_.display, 2);
}

}  // namespace
}  // namespace tavrino
