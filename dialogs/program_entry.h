#pragma once

#include <QComboBox>

#include "dialogs/entry_dialog.h"

namespace tavrino {

// Asks for a General MIDI program and, when a new program change is added,
// its position. On the percussion channel the programs are drum sets.
class CProgramEntry : public PositionEntryDialog {
public:
    explicit CProgramEntry(const MidiSong& song, QWidget* parent = nullptr);

    // `program` -1 adds a new program change: the position can be entered and
    // the list starts at program 0. Otherwise the program change at
    // `position` is edited and only its program can change. `channel` -1 is
    // unknown.
    void SetProgram(int program, int channel, const BarBeat& position = {1, 1, 0});
    int Program() const { return programs_->currentIndex(); }

private:
    QComboBox* programs_;
};

}  // namespace tavrino
