#pragma once

#include <QEvent>

#include "monitors/message_event.h"

namespace tavrino {

class CMonitor;

inline constexpr int WM_MONITOR_NOTE = 113;
inline constexpr int WM_MONITOR_CLOSED = 200;

// How a monitor's note is pressed.
enum class NoteMode : int {
    kClick = 0,  // sounds for a moment
    kPress = 1,
    kRelease = 2,
};

// A monitor asks its owner to sound a note (and, in edit mode, to write it).
class MonitorNoteEvent : public QEvent {
public:
    MonitorNoteEvent(int key, NoteMode mode, int program)
        : QEvent(MessageEventType(WM_MONITOR_NOTE)), key(key), mode(mode), program(program) {}

    const int key;  // MIDI note 0-127
    const NoteMode mode;
    const int program;  // General MIDI program, counted from 0
};

// A monitor window is closing; its owner drops it from its list.
class MonitorClosedEvent : public QEvent {
public:
    explicit MonitorClosedEvent(const CMonitor* monitor)
        : QEvent(MessageEventType(WM_MONITOR_CLOSED)), monitor(monitor) {}

    const CMonitor* const monitor;
};

}  // namespace tavrino
