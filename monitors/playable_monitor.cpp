#include "monitors/playable_monitor.h"

#include "monitors/key_positions.h"

namespace tavrino {

PlayableMonitor::PlayableMonitor(SettingsStore& store, int program)
    : CMonitor(store), program_(program) {}

void PlayableMonitor::PlayNote(const KeyNote& note, bool down) {
    if (down) {
        NoteOn(note.note, 0, note.cell);
        SoundNote(note.note, NoteMode::kPress, program_);
    } else {
        NoteOff(note.note, 0, note.cell);
        SoundNote(note.note, NoteMode::kRelease, program_);
    }
}

void PlayableMonitor::SilenceHeldKeys() {
    held_.ReleaseAll([this](KeyNote note) { SoundNote(note.note, NoteMode::kRelease, program_); });
}

void PlayableMonitor::keyPressEvent(QKeyEvent* event) {
    const auto position = KeyPosition(*event);
    const auto note = position ? KeyNoteAt(*position) : std::nullopt;
    if (!note) {
        CMonitor::keyPressEvent(event);
        return;
    }
    if (held_.Hold(*event, *position, *note)) {
        PlayNote(*note, true);
    }
}

void PlayableMonitor::keyReleaseEvent(QKeyEvent* event) {
    const auto position = KeyPosition(*event);
    const auto note = position ? held_.Release(*event, *position) : std::nullopt;
    if (!note) {
        CMonitor::keyReleaseEvent(event);
        return;
    }
    PlayNote(*note, false);
}

void PlayableMonitor::focusOutEvent(QFocusEvent* event) {
    held_.ReleaseAll([this](KeyNote note) { PlayNote(note, false); });
    CMonitor::focusOutEvent(event);
}

}  // namespace tavrino
