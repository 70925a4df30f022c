#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <string>

#include "dialogs/options_host.h"
#include "settings/settings.h"

namespace tavrino {

// One font of a settings record, as the settings keep it: face, height
// (negative: character height in pixels), weight and italic.
struct FontFields {
    std::string& face;
    std::int32_t& height;
    std::int32_t& weight;
    std::int32_t& italic;

    QFont ToFont() const;
    // Only face, height, weight and italic are kept.
    void Take(const QFont& font);
    void Take(const FontFields& other);
};

FontFields TabFontOf(Settings& settings);
FontFields TextFontOf(Settings& settings);
FontFields LyricsFontOf(Settings& settings);

// One page of the options sheet. It edits a working copy of the settings
// and reports each change, so that the sheet enables Apply; OK and Apply
// take the page's values over.
class OptionsPage : public QWidget {
public:
    OptionsPage(const Settings& settings, OptionsChoosers choosers, QWidget* parent = nullptr);

    void OnChange(std::function<void()> handler) { onChange_ = std::move(handler); }
    bool Changed() const { return changed_; }
    // Takes the page's values into `settings`, saves their groups and shows
    // them; false when a value is refused (the reason was shown) and the
    // sheet must stay open. Does nothing without a change.
    virtual bool Apply(Settings& settings, SettingsStore& store, OptionsHost& host) = 0;

protected:
    void MarkChanged();
    void ClearChanged() { changed_ = false; }
    // Lets the user choose a new font starting from `font`; true when one
    // was chosen.
    bool ChooseFont(FontFields font);

    Settings working_;
    OptionsChoosers choosers_;

private:
    std::function<void()> onChange_;
    bool changed_ = false;
};

// A label whose text shows in the font and colours it stands for.
void ShowSample(QLabel& label, const QFont& font, QColor text, QColor background);

}  // namespace tavrino
