#pragma once

#include <QDialog>
#include <QLineEdit>
#include <optional>

#include "dialogs/entry_checks.h"
#include "song/midi_song.h"

class QFormLayout;

namespace tavrino {

// Three short fields for a bar:beat:tick position.
class PositionEdit : public QWidget {
public:
    explicit PositionEdit(QWidget* parent = nullptr);

    void SetPosition(const BarBeat& position);
    // The entered numbers, or why they are not numbers.
    std::optional<BarBeat> Position(EntryProblem* problem) const;
    // The entered position; bar 0, which no song has, when the fields do
    // not hold numbers.
    BarBeat Entered() const;
    // Why the entry is not a position of the song; none when it is.
    std::optional<EntryProblem> Check(const MidiSong& song) const;
    QLineEdit* Field(EntryField field) const;

private:
    QLineEdit* bar_;
    QLineEdit* beat_;
    QLineEdit* tick_;
};

// A small modal dialog that collects numbers: a form of labelled rows over
// OK and Cancel. OK is taken only when Check finds nothing wrong; otherwise
// the problem is shown and its field gets the focus, and the dialog stays.
class EntryDialog : public QDialog {
public:
    // Why the entered data cannot be taken; none when they can.
    virtual std::optional<EntryProblem> Check() const = 0;
    void accept() override;

protected:
    explicit EntryDialog(QWidget* parent);
    QFormLayout& form() { return *form_; }
    // Typing starts in the first field that can change, its text selected.
    void showEvent(QShowEvent* event) override;
    // The field a problem points at.
    virtual QLineEdit* Field(EntryField field) const = 0;

private:
    QFormLayout* form_;
};

// An entry dialog whose first row is a position of the song, with a line
// saying which positions the song has.
class PositionEntryDialog : public EntryDialog {
public:
    void SetPosition(const BarBeat& position) { position_->SetPosition(position); }
    // After OK: the position entered and its tick.
    BarBeat Position() const { return position_->Entered(); }
    std::int32_t Tick() const { return PositionTick(song_, Position()); }

    // The position, unless it is fixed.
    std::optional<EntryProblem> Check() const override;

protected:
    PositionEntryDialog(const MidiSong& song, QWidget* parent);
    QLineEdit* Field(EntryField field) const override { return position_->Field(field); }
    // An existing event's position is shown but cannot be changed.
    void FixPosition(bool fixed) { position_->setEnabled(!fixed); }

private:
    const MidiSong& song_;
    PositionEdit* position_;
};

// A number typed in a field: digits with an optional sign and, unless
// `integer`, a decimal point or comma.
std::optional<double> ParseNumber(const QString& text, bool integer);

}  // namespace tavrino
