#include "dialogs/entry_dialogs.h"

#include <QFormLayout>
#include <QLabel>

namespace tavrino {

// --- CPosEntry ---------------------------------------------------------------

CPosEntry::CPosEntry(const MidiSong& song, QWidget* parent) : PositionEntryDialog(song, parent) {
    setWindowTitle("Position");
}

// --- ValueEdit ---------------------------------------------------------------

ValueEdit::ValueEdit(QFormLayout& form, QWidget* parent)
    : form_(form), field_(new QLineEdit(parent)) {
    field_->setAlignment(Qt::AlignRight);
    field_->setFixedWidth(field_->fontMetrics().horizontalAdvance("0000000000.00") + 12);
    form_.addRow("Value", field_);
    SetValue(0);
}

void ValueEdit::SetRange(const ValueRange& range) {
    range_ = range;
    SetValue(ParseNumber(field_->text(), false).value_or(0));
}

void ValueEdit::SetLabel(const QString& label) {
    if (auto* text = qobject_cast<QLabel*>(form_.labelForField(field_))) {
        text->setText(label);
    }
}

void ValueEdit::SetValue(double value) {
    field_->setText(range_.integer ? QString::number(static_cast<long long>(value))
                                   : QString::number(value, 'f', 2));
}

double ValueEdit::Value() const {
    return EnteredValue(ParseNumber(field_->text(), false).value_or(0), range_);
}

std::optional<EntryProblem> ValueEdit::Check() const {
    const std::optional<double> number = ParseNumber(field_->text(), false);
    if (!number) {
        return EntryProblem{EntryField::kValue, "Please enter a number."};
    }
    return CheckValue(*number, range_);
}

// --- CPosValueEntry ----------------------------------------------------------

CPosValueEntry::CPosValueEntry(const MidiSong& song, QWidget* parent)
    : PositionEntryDialog(song, parent), value_(form(), this) {
    setWindowTitle("Position and Value");
}

std::optional<EntryProblem> CPosValueEntry::Check() const {
    if (auto problem = PositionEntryDialog::Check()) {
        return problem;
    }
    return value_.Check();
}

QLineEdit* CPosValueEntry::Field(EntryField field) const {
    return field == EntryField::kValue ? value_.field() : PositionEntryDialog::Field(field);
}

// --- CValueEntry -------------------------------------------------------------

CValueEntry::CValueEntry(QWidget* parent) : EntryDialog(parent), value_(form(), this) {
    setWindowTitle("Value");
}

}  // namespace tavrino
