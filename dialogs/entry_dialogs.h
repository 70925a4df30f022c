#pragma once

#include <QString>

#include "dialogs/entry_dialog.h"

namespace tavrino {

// Asks for a song position.
class CPosEntry : public PositionEntryDialog {
public:
    explicit CPosEntry(const MidiSong& song, QWidget* parent = nullptr);
};

// The value row of the value entries: a number within a range.
class ValueEdit {
public:
    ValueEdit(QFormLayout& form, QWidget* parent);

    // Also shows the current value as the range writes it.
    void SetRange(const ValueRange& range);
    void SetLabel(const QString& label);
    void SetValue(double value);
    // The number entered, truncated for integer ranges; 0 when not a number.
    double Value() const;
    std::optional<EntryProblem> Check() const;
    QLineEdit* field() const { return field_; }

private:
    QFormLayout& form_;
    QLineEdit* field_;
    ValueRange range_ = kControllerValues;
};

// Asks for a song position and a value: a controller value (0-127, the
// default) or, with another range, a tempo.
class CPosValueEntry : public PositionEntryDialog {
public:
    explicit CPosValueEntry(const MidiSong& song, QWidget* parent = nullptr);

    void SetValueRange(const ValueRange& range) { value_.SetRange(range); }
    void SetValueLabel(const QString& label) { value_.SetLabel(label); }
    void SetValue(double value) { value_.SetValue(value); }
    double Value() const { return value_.Value(); }

    std::optional<EntryProblem> Check() const override;

protected:
    QLineEdit* Field(EntryField field) const override;

private:
    ValueEdit value_;
};

// Asks for a value alone.
class CValueEntry : public EntryDialog {
public:
    explicit CValueEntry(QWidget* parent = nullptr);

    void SetValueRange(const ValueRange& range) { value_.SetRange(range); }
    void SetValueLabel(const QString& label) { value_.SetLabel(label); }
    void SetValue(double value) { value_.SetValue(value); }
    double Value() const { return value_.Value(); }

    std::optional<EntryProblem> Check() const override { return value_.Check(); }

protected:
    QLineEdit* Field(EntryField) const override { return value_.field(); }

private:
    ValueEdit value_;
};

}  // namespace tavrino
