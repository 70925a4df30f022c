#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

#include "dialogs/options_page.h"

namespace tavrino {

// The Print page: which clefs print, the extra space between the staff
// positions, white bars instead of coloured ones, and the beats per line.
class CPrintOptions : public OptionsPage {
public:
    CPrintOptions(const Settings& settings, OptionsChoosers choosers, QWidget* parent = nullptr);

    bool Apply(Settings& settings, SettingsStore& store, OptionsHost& host) override;

    QCheckBox& treble() const { return *treble_; }
    QCheckBox& bass() const { return *bass_; }
    QCheckBox& noColourBars() const { return *noColourBars_; }
    QSpinBox& tabSpace() const { return *tabSpace_; }
    QLineEdit& beatsPerLine() const { return *beatsPerLine_; }

private:
    QCheckBox* treble_;
    QCheckBox* bass_;
    QCheckBox* noColourBars_;
    QSpinBox* tabSpace_;
    QLineEdit* beatsPerLine_;
};

}  // namespace tavrino
