#pragma once

#include <optional>

#include "monitors/held_keys.h"
#include "monitors/monitor.h"

namespace tavrino {

// A monitor the user plays: its buttons with the mouse and its notes with
// computer keys, each note shown pressed and sounded with the monitor's
// General MIDI program. Key-ups and the loss of the focus let notes go, so
// that none is left sounding.
class PlayableMonitor : public CMonitor {
protected:
    PlayableMonitor(SettingsStore& store, int program);

    // The note the computer key at keyboard `position` (KeyPosition) plays.
    virtual std::optional<KeyNote> KeyNoteAt(int position) const = 0;
    // Shows the note pressed (or released) and sounds (or silences) it.
    void PlayNote(const KeyNote& note, bool down);
    // As the window goes: the notes of held keys stop sounding.
    void SilenceHeldKeys();

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int program_;
    HeldKeys held_{*this};
};

}  // namespace tavrino
