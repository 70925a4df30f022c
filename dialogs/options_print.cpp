#include "dialogs/options_print.h"

#include <QFormLayout>

namespace tavrino {

CPrintOptions::CPrintOptions(const Settings& settings, OptionsChoosers choosers, QWidget* parent)
    : OptionsPage(settings, std::move(choosers), parent),
      treble_(new QCheckBox("Treble Clef", this)),
      bass_(new QCheckBox("Bass Clef", this)),
      noColourBars_(new QCheckBox("No color bars", this)),
      tabSpace_(new QSpinBox(this)),
      beatsPerLine_(new QLineEdit(this)) {
    treble_->setChecked(working_.printTrebleClef != 0);
    bass_->setChecked(working_.printBassClef != 0);
    noColourBars_->setChecked(working_.printNoColorBars != 0);
    tabSpace_->setRange(0, kMostPrintTabSpace);
    tabSpace_->setMaximumWidth(60);
    tabSpace_->setValue(std::clamp(working_.printTabSpace, 0, kMostPrintTabSpace));
    beatsPerLine_->setText(QString::number(working_.printBeatsPerLine));
    beatsPerLine_->setMaxLength(4);
    beatsPerLine_->setMaximumWidth(60);

    auto* layout = new QFormLayout(this);
    layout->addRow(treble_);
    layout->addRow(bass_);
    layout->addRow(noColourBars_);
    layout->addRow("Beats per timeline", beatsPerLine_);
    layout->addRow("Extra tablature spacing", tabSpace_);
    for (QCheckBox* box : {treble_, bass_, noColourBars_}) {
        connect(box, &QCheckBox::clicked, this, [this] { MarkChanged(); });
    }
    connect(tabSpace_, &QSpinBox::valueChanged, this, [this] { MarkChanged(); });
    connect(beatsPerLine_, &QLineEdit::textEdited, this, [this] { MarkChanged(); });
}

bool CPrintOptions::Apply(Settings& settings, SettingsStore& store, OptionsHost&) {
    if (!Changed()) {
        return true;
    }
    bool number = false;
    const int beats = beatsPerLine_->text().trimmed().toInt(&number);
    if (!number || beats < 1 || beats > kMostBeatsPerLine) {
        choosers_.inform(
            this, "Tavrino! Options",
            QString("Please enter an integer between %1 and %2.").arg(1).arg(kMostBeatsPerLine));
        beatsPerLine_->setFocus();
        beatsPerLine_->selectAll();
        return false;
    }
    settings.printTrebleClef = treble_->isChecked() ? 1 : 0;
    settings.printBassClef = bass_->isChecked() ? 1 : 0;
    settings.printNoColorBars = noColourBars_->isChecked() ? 1 : 0;
    settings.printTabSpace = tabSpace_->value();
    settings.printBeatsPerLine = static_cast<std::int16_t>(beats);
    SaveSettings(store, settings, kPrintGroup);
    ClearChanged();
    return true;
}

}  // namespace tavrino
