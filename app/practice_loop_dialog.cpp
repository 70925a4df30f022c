#include "app/practice_loop_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrino {

namespace {

constexpr int kDefaultStep = 5;
constexpr int kLargestStep = 50;

}  // namespace

PracticeLoopDialog::PracticeLoopDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent),
      step_(new QCheckBox("&Raise the tempo after each pass", this)),
      start_(PercentBox(kLeastTempoPercent, settings.loopTempoStart)),
      stepSize_(PercentBox(1, settings.loopTempoStep > 0 ? settings.loopTempoStep : kDefaultStep)),
      top_(PercentBox(kLeastTempoPercent, settings.loopTempoTop)),
      countIn_(new QCheckBox("&Count in before each pass", this)) {
    setWindowTitle("Practice Loop");
    stepSize_->setMaximum(kLargestStep);
    step_->setChecked(settings.loopTempoStep > 0);
    countIn_->setChecked(settings.loopCountIn != 0);

    auto* explanation = new QLabel(
        "Set the begin and end marks around a passage: it then plays over and over.", this);
    explanation->setWordWrap(true);
    auto* tempo = new QFormLayout;
    tempo->addRow("&First pass at:", start_);
    tempo->addRow("&Add per pass:", stepSize_);
    tempo->addRow("&Up to:", top_);
    tempo->setContentsMargins(24, 0, 0, 0);
    for (QSpinBox* box : {start_, stepSize_, top_}) {
        box->setEnabled(step_->isChecked());
        connect(step_, &QCheckBox::toggled, box, &QWidget::setEnabled);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(step_);
    layout->addLayout(tempo);
    layout->addWidget(countIn_);
    layout->addWidget(buttons);
}

QSpinBox* PracticeLoopDialog::PercentBox(int least, int value) {
    auto* box = new QSpinBox(this);
    box->setRange(least, kMostTempoPercent);
    box->setSuffix(" %");
    box->setValue(value);
    return box;
}

void PracticeLoopDialog::Apply(Settings& settings) const {
    settings.loopTempoStep = step_->isChecked() ? stepSize_->value() : 0;
    settings.loopTempoStart = start_->value();
    settings.loopTempoTop = top_->value();
    settings.loopCountIn = countIn_->isChecked() ? 1 : 0;
}

}  // namespace tavrino
