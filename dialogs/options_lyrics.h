#pragma once

#include <QLabel>

#include "dialogs/options_page.h"

namespace tavrino {

// The Lyrics page: the lyrics window's font, text colour and background.
class CPropLyrics : public OptionsPage {
public:
    CPropLyrics(const Settings& settings, OptionsChoosers choosers, QWidget* parent = nullptr);

    bool Apply(Settings& settings, SettingsStore& store, OptionsHost& host) override;

    void ChooseTextColour();
    void ChooseBackground();
    void ChooseFont();

private:
    void ShowSamples();
    void ChooseColour(Colour& colour);

    QLabel* textColourSample_;
    QLabel* backgroundSample_;
    QLabel* fontSample_;
};

}  // namespace tavrino
