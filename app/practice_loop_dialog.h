#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QSpinBox>

#include "settings/settings.h"

namespace tavrino {

// "Practice Loop": how the passage between the marks repeats: a tempo that
// rises with every pass, and a count-in before each pass.
class PracticeLoopDialog : public QDialog {
public:
    PracticeLoopDialog(const Settings& settings, QWidget* parent);

    // Puts the dialog's choices into the settings.
    void Apply(Settings& settings) const;

    QCheckBox* stepBox() const { return step_; }
    QSpinBox* startBox() const { return start_; }
    QSpinBox* stepSizeBox() const { return stepSize_; }
    QSpinBox* topBox() const { return top_; }
    QCheckBox* countInBox() const { return countIn_; }

private:
    QSpinBox* PercentBox(int least, int value);

    QCheckBox* step_;
    QSpinBox* start_;
    QSpinBox* stepSize_;
    QSpinBox* top_;
    QCheckBox* countIn_;
};

}  // namespace tavrino
