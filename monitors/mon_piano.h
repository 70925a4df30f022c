#pragma once

#include <array>

#include "monitors/lit_buttons.h"
#include "monitors/monitor_services.h"
#include "monitors/note_button.h"
#include "monitors/playable_monitor.h"

namespace tavrino {

// The piano keyboard monitor: 88 keys, A0 (21) to C8 (108). The keys of the
// visible tracks' sounding notes are shown pressed; the mouse and the
// computer keyboard sound notes with the piano.
class CMonPiano : public PlayableMonitor {
public:
    static constexpr int kLowestNote = 21;
    static constexpr int kHighestNote = 108;
    static constexpr int kKeyCount = kHighestNote - kLowestNote + 1;

    explicit CMonPiano(const MonitorServices& services);

    MonitorKind GetKind() const override { return kPianoMonitor; }
    int ResetDisplay(bool newSong) override;
    void NoteOn(int key, int eventIndex, int cell) override;
    void NoteOff(int key, int eventIndex, int cell) override;

    // The key of a MIDI note; null outside the keyboard.
    NoteButton* Key(int note) const;

    // The note a computer key at keyboard position `position` (KeyPosition)
    // plays, or -1.
    static int NoteOfKeyPosition(int position);

protected:
    int PreCreate(MonitorCreateParameters& parameters) override;
    int CreateContents() override;
    void DestroyContents() override;
    void paintEvent(QPaintEvent* event) override;
    std::optional<KeyNote> KeyNoteAt(int position) const override;

private:
    const Settings& settings_;
    LitButtons keys_{kKeyCount};
};

}  // namespace tavrino
