#include "dialogs/options_lyrics.h"

#include <QFormLayout>
#include <QPushButton>

#include "view/score_style.h"

namespace tavrino {

CPropLyrics::CPropLyrics(const Settings& settings, OptionsChoosers choosers, QWidget* parent)
    : OptionsPage(settings, std::move(choosers), parent),
      textColourSample_(new QLabel("Lyrics Text Color", this)),
      backgroundSample_(new QLabel("Background Color", this)),
      fontSample_(new QLabel("Lyrics Font", this)) {
    auto* layout = new QFormLayout(this);
    const auto addRow = [this, layout](QLabel* sample, const QString& text, auto clicked) {
        auto* button = new QPushButton(text, this);
        connect(button, &QPushButton::clicked, this, clicked);
        sample->setMargin(3);
        layout->addRow(sample, button);
    };
    addRow(textColourSample_, "Lyrics Color...", [this] { ChooseTextColour(); });
    addRow(backgroundSample_, "Background...", [this] { ChooseBackground(); });
    addRow(fontSample_, "Lyrics Font...", [this] { ChooseFont(); });
    ShowSamples();
}

// Each sample shows the lyrics window's text colour on its background, so
// that a light background or a dark text stays readable on the page.
void CPropLyrics::ShowSamples() {
    const QColor text = ToQColor(working_.fontLyricsTxt);
    const QColor background = ToQColor(working_.fontLyricsBg);
    const QFont labelFont = SettingsFont("Arial", -11, 700, false);
    ShowSample(*textColourSample_, labelFont, text, background);
    ShowSample(*backgroundSample_, labelFont, text, background);
    ShowSample(*fontSample_, LyricsFontOf(working_).ToFont(), text, background);
}

void CPropLyrics::ChooseColour(Colour& colour) {
    if (const std::optional<QColor> chosen = choosers_.colour(this, ToQColor(colour))) {
        colour = FromQColor(*chosen);
        ShowSamples();
        MarkChanged();
    }
}

void CPropLyrics::ChooseTextColour() {
    ChooseColour(working_.fontLyricsTxt);
}

void CPropLyrics::ChooseBackground() {
    ChooseColour(working_.fontLyricsBg);
}

void CPropLyrics::ChooseFont() {
    if (OptionsPage::ChooseFont(LyricsFontOf(working_))) {
        ShowSamples();
        MarkChanged();
    }
}

bool CPropLyrics::Apply(Settings& settings, SettingsStore& store, OptionsHost& host) {
    if (!Changed()) {
        return true;
    }
    LyricsFontOf(settings).Take(LyricsFontOf(working_));
    settings.fontLyricsTxt = working_.fontLyricsTxt;
    settings.fontLyricsBg = working_.fontLyricsBg;
    SaveSettings(store, settings, kLyricsGroup);
    host.LyricsChanged();
    ClearChanged();
    return true;
}

}  // namespace tavrino
