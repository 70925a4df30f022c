#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>

#include "dialogs/options_general.h"
#include "dialogs/options_lyrics.h"
#include "dialogs/options_print.h"

namespace tavrino {

// The options: General, Print and Lyrics pages over the settings. Made anew
// each time it is shown, so that every page starts from the current
// settings. Apply is enabled by a change; OK and Apply take each changed
// page over, save its settings and show the change at once.
class CProperties : public QDialog {
public:
    // The settings, store and host outlive the sheet.
    CProperties(Settings& settings, SettingsStore& store, OptionsHost& host,
                OptionsChoosers choosers, QWidget* parent = nullptr);

    void accept() override;
    // Takes the pages over; false when a page refused a value (it is then
    // shown, its reason given).
    bool Apply();

    CPropGeneral& general() const { return *general_; }
    CPrintOptions& print() const { return *print_; }
    CPropLyrics& lyrics() const { return *lyrics_; }
    QTabWidget& pages() const { return *pages_; }
    QPushButton& applyButton() const { return *buttons_->button(QDialogButtonBox::Apply); }

private:
    Settings& settings_;
    SettingsStore& store_;
    OptionsHost& host_;
    QTabWidget* pages_;
    CPropGeneral* general_;
    CPrintOptions* print_;
    CPropLyrics* lyrics_;
    QDialogButtonBox* buttons_;
};

}  // namespace tavrino
