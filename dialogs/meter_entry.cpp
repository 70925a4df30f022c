#include "dialogs/meter_entry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "document/tavrino_doc.h"

namespace tavrino {

namespace {

constexpr int kDenominators[] = {1, 2, 4, 8, 16, 32, CTavrinoDoc::kLargestDenominator};

}  // namespace

CMeterEntry::CMeterEntry(const MidiSong& song, QWidget* parent)
    : PositionEntryDialog(song, parent),
      numerator_(new QLineEdit(this)),
      denominator_(new QComboBox(this)) {
    setWindowTitle("Time Signature");
    numerator_->setAlignment(Qt::AlignRight);
    numerator_->setFixedWidth(numerator_->fontMetrics().horizontalAdvance("0000") + 12);
    for (const int denominator : kDenominators) {
        denominator_->addItem(QString::number(denominator), denominator);
    }
    auto* meter = new QHBoxLayout;
    meter->addWidget(numerator_);
    meter->addWidget(new QLabel("/", this));
    meter->addWidget(denominator_);
    meter->addStretch();
    form().addRow("Meter", meter);
    SetMeter(4, 4, true, {1, 1, 0});
}

void CMeterEntry::SetMeter(int numerator, int denominator, bool adding, const BarBeat& position) {
    SetPosition(position);
    FixPosition(!adding);
    numerator_->setText(QString::number(numerator));
    const int index = denominator_->findData(denominator);
    denominator_->setCurrentIndex(index >= 0 ? index : denominator_->findData(4));
}

int CMeterEntry::Numerator() const {
    return numerator_->text().trimmed().toInt();
}

int CMeterEntry::Denominator() const {
    return denominator_->currentData().toInt();
}

std::optional<EntryProblem> CMeterEntry::Check() const {
    if (auto problem = PositionEntryDialog::Check()) {
        return problem;
    }
    const int numerator = Numerator();
    if (numerator < 1 || numerator > CTavrinoDoc::kLargestNumerator) {
        return EntryProblem{EntryField::kValue, "Please enter between 1 and " +
                                                    std::to_string(CTavrinoDoc::kLargestNumerator) +
                                                    " beats to the bar."};
    }
    return std::nullopt;
}

QLineEdit* CMeterEntry::Field(EntryField field) const {
    return field == EntryField::kValue ? numerator_ : PositionEntryDialog::Field(field);
}

}  // namespace tavrino
