#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "dialogs/options_page.h"

namespace tavrino {

// The General page: the output device and the built-in synthesizer's
// SoundFont, how the score shows notes (pitch bends, accidentals, note
// names, fonts) and the colours of the harmonica's bars.
class CPropGeneral : public OptionsPage {
public:
    CPropGeneral(const Settings& settings, OptionsHost& host, OptionsChoosers choosers,
                 QWidget* parent = nullptr);

    bool Apply(Settings& settings, SettingsStore& store, OptionsHost& host) override;

    // The choices a user makes on the page.
    void ChooseDevice(int item);
    void ChooseSoundFont();
    void ChooseTabFont();
    void ChooseTextFont();
    void UseHighContrast();
    void UseDefaultColours();

    QComboBox& devices() const { return *devices_; }
    QComboBox& naming() const { return *naming_; }
    QCheckBox& pitchBends() const { return *pitchBends_; }
    QCheckBox& offsetAccidentals() const { return *offsetAccidentals_; }
    QLabel& soundFontName() const { return *soundFontName_; }

private:
    void DisplayChanged();
    void ShowFonts();
    void ShowSoundFont();

    OptionsHost& host_;
    QComboBox* devices_;
    QLabel* soundFontName_;
    QCheckBox* pitchBends_;
    QCheckBox* offsetAccidentals_;
    QComboBox* naming_;
    QLabel* tabFontSample_;
    QLabel* textFontSample_;
    QWidget* colourSample_;
    bool displayChanged_ = false;
    bool deviceChanged_ = false;
};

}  // namespace tavrino
