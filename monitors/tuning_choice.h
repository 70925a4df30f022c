#pragma once

#include <QComboBox>
#include <QFont>
#include <QString>
#include <span>
#include <string_view>

#include "harmonica/harmonica_layout.h"

namespace tavrino {

// The harmonica monitors' text: Arial of a pixel height, as their buttons
// and selectors are laid out for it.
QFont ArialFont(int pixels);
QString FromView(std::string_view text);

// Where a harmonica monitor gets a tuning file for "Custom..." and tells
// the user why one failed; tests put their own.
class TuningFilePrompt {
public:
    virtual ~TuningFilePrompt() = default;
    // Empty when the user cancelled.
    virtual QString AskPath(QWidget* parent);
    virtual void ShowProblem(QWidget* parent, const QString& text);
};

// Asks for a tuning file and reads it into the layout's "Custom..." record.
// True when read; a failure leaves the layout and the record as they were
// and tells why. `kind` names the tuning ("diatonic"), `needs` says what a
// file of that kind holds.
bool LoadCustomTuning(HarmonicaLayout& layout, std::string_view kind, std::string_view needs,
                      TuningFilePrompt& prompt, QWidget* parent);

// Lists (or renames, after a tuning file was read) the tunings in the box.
template <class Tuning>
void ShowTuningNames(QComboBox& box, std::span<const Tuning> tunings) {
    for (std::size_t i = 0; i < tunings.size(); ++i) {
        const QString name = FromView(tunings[i].name.view());
        if (static_cast<int>(i) < box.count()) {
            box.setItemText(static_cast<int>(i), name);
        } else {
            box.addItem(name);
        }
    }
}

// The tuning's position in its list, -1 when not there.
template <class Tuning>
int TuningPosition(std::span<const Tuning> tunings, const Tuning& tuning) {
    for (std::size_t i = 0; i < tunings.size(); ++i) {
        if (&tunings[i] == &tuning) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tavrino
