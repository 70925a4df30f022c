#include "app/monitor_notes.h"

#include <QTimer>
#include <chrono>

namespace tavrino {

namespace {

constexpr int kChannel = 0;
constexpr int kProgramChange = 0xC0;
constexpr int kController = 0xB0;
constexpr int kVolumeController = 7;
constexpr auto kClickLength = std::chrono::milliseconds(200);

}  // namespace

void SoundMonitorNote(Player& player, const MonitorNoteEvent& note, QObject& context) {
    if (note.mode == NoteMode::kRelease) {
        player.NoteOff(kChannel, note.key, 0);
        return;
    }
    // While a song plays its own program stays on the channel.
    if (!player.IsPlaying()) {
        player.ShortMsg(kProgramChange, kChannel, note.program, 0);
        player.ShortMsg(kController, kChannel, kVolumeController, 127);
    }
    player.NoteOn(kChannel, note.key, 127);
    if (note.mode == NoteMode::kClick) {
        QTimer::singleShot(kClickLength, &context,
                           [&player, key = note.key] { player.NoteOff(kChannel, key, 0); });
    }
}

void SilenceHeldNotes(CTavrinoDoc& doc, Player& player) {
    for (const HeldKey& held : doc.ReleasePendingNotes()) {
        player.NoteOff(kChannel, held.key, 0);
        if (held.channel != kChannel) {
            player.NoteOff(held.channel, held.key, 0);
        }
    }
}

}  // namespace tavrino
