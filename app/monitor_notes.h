#pragma once

#include <QObject>

#include "monitors/monitor_events.h"
#include "player/player.h"

namespace tavrino {

// Sounds a note a monitor asked for, on the first channel. A click sounds for
// 200 ms; the note-off comes from a timer so the window keeps responding.
void SoundMonitorNote(Player& player, const MonitorNoteEvent& note, QObject& context);

}  // namespace tavrino
