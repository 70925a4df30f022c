#pragma once

#include <QComboBox>

#include "dialogs/entry_dialog.h"

namespace tavrino {

// Asks for a time signature and, when a new one is added, its position.
class CMeterEntry : public PositionEntryDialog {
public:
    explicit CMeterEntry(const MidiSong& song, QWidget* parent = nullptr);

    // With `adding` the position can be entered; otherwise the signature at
    // `position` is edited and stays there.
    void SetMeter(int numerator, int denominator, bool adding, const BarBeat& position);
    int Numerator() const;
    int Denominator() const;

    std::optional<EntryProblem> Check() const override;

protected:
    QLineEdit* Field(EntryField field) const override;

private:
    QLineEdit* numerator_;
    QComboBox* denominator_;
};

}  // namespace tavrino
