#pragma once

#include <QObject>

#include "document/tavrino_doc.h"
#include "monitors/monitor_events.h"
#include "player/player.h"

namespace tavrino {

// Sounds a note a monitor asked for, on the first channel. A click sounds for
// 200 ms; the note-off comes from a timer so the window keeps responding.
void SoundMonitorNote(Player& player, const MonitorNoteEvent& note, QObject& context);

// Ends the notes whose keys are still held in the song and on the output
// (where the monitors sounded them and on the channel they were written to),
// so that none hangs.
void SilenceHeldNotes(CTavrinoDoc& doc, Player& player);

}  // namespace tavrino
