// The snapshot windows of the mixer and the event-editing dialogs.

#include <algorithm>

#include "app/mon_mixer.h"
#include "dialogs/entry_dialogs.h"
#include "dialogs/event_lines.h"
#include "dialogs/file_properties.h"
#include "dialogs/program_entry.h"
#include "dialogs/track_properties.h"
#include "tools/snapshot_command.h"

namespace tavrino::tool {

namespace {

constexpr int kMeterFramesPerSecond = 30;

CTavrinoDoc& Doc(SnapshotScene& scene) {
    return scene.session().frame().doc();
}

std::int32_t Tick(const SnapshotScene& scene) {
    return scene.tick.value_or(0);
}

// Plays the song into the mixer up to the scene's tick as playback does,
// with the meters' frames in step with the music, so that they show the
// levels of that moment.
void PlayInto(CMonMixer& mixer, SnapshotScene& scene) {
    if (!scene.tick) {
        return;
    }
    const MidiSong& song = Doc(scene).song;
    double nextFrame = 0;
    for (std::size_t index = 0; index < song.messages.size(); ++index) {
        const MidiEvent& event = *song.messages[index];
        if (event.time > *scene.tick) {
            break;
        }
        while (event.time >= nextFrame) {
            mixer.AdvanceMeters();
            // Ticks per frame at the tempo there.
            nextFrame += song.division * 1e6 /
                         (static_cast<double>(song.TempoAt(static_cast<std::int32_t>(nextFrame))) *
                          kMeterFramesPerSecond);
        }
        if (event.isSoundingNoteOn()) {
            mixer.NoteOn(event.data1, static_cast<int>(index), -1);
        } else if (event.isNoteEnd()) {
            mixer.NoteOff(event.data1, static_cast<int>(index), -1);
        }
    }
}

QWidget* MakeMixer(SnapshotScene& scene) {
    auto* mixer = scene.Keep(
        std::make_unique<CMonMixer>(scene.services().store, scene.session().mixerServices()));
    // Owned by the scene, not by a main window: it must not delete itself.
    if (mixer->CreateMonitor(nullptr) < 0) {
        return mixer;
    }
    mixer->setAttribute(Qt::WA_DeleteOnClose, false);
    PlayInto(*mixer, scene);
    return mixer;
}

QWidget* MakeFileProperties(SnapshotScene& scene) {
    return scene.Keep(
        std::make_unique<CFileProperties>(Doc(scene), Tick(scene), UserPrompts::OnScreen()));
}

QWidget* MakeTrackProperties(SnapshotScene& scene) {
    const int tracks = static_cast<int>(Doc(scene).song.tracks.size());
    // The first track with notes unless one was asked for (the command
    // refuses a track the song does not have).
    const int track = scene.track.value_or(std::min(1, tracks - 1));
    if (tracks == 0) {
        return scene.Keep(std::make_unique<QWidget>());
    }
    return scene.Keep(
        std::make_unique<CTrackPropDlg>(Doc(scene), track, Tick(scene), UserPrompts::OnScreen()));
}

BarBeat Position(SnapshotScene& scene) {
    return Doc(scene).song.TickToBarBeat(Tick(scene)).value_or(BarBeat{1, 1, 0});
}

QWidget* MakePositionEntry(SnapshotScene& scene) {
    auto* entry = scene.Keep(std::make_unique<CPosEntry>(Doc(scene).song));
    entry->setWindowTitle("Begin Mark");
    entry->SetPosition(Position(scene));
    return entry;
}

QWidget* MakeTempoEntry(SnapshotScene& scene) {
    const MidiSong& song = Doc(scene).song;
    auto* entry = scene.Keep(std::make_unique<CPosValueEntry>(song));
    entry->setWindowTitle("Add Tempo Change");
    entry->SetValueLabel("Beats per minute");
    entry->SetValueRange(kTempoBeatsPerMinute);
    entry->SetPosition(Position(scene));
    entry->SetValue(ShownBeatsPerMinute(song.TempoAt(Tick(scene))));
    return entry;
}

QWidget* MakeProgramEntry(SnapshotScene& scene) {
    auto* entry = scene.Keep(std::make_unique<CProgramEntry>(Doc(scene).song));
    entry->SetProgram(22, 0, Position(scene));
    return entry;
}

const SnapshotWindow kWindows[] = {
    {"mixer", "the mixer, its meters showing the notes sounding at --at", false, MakeMixer},
    {"file-properties", "the file properties: time signatures and tempo changes", false,
     MakeFileProperties},
    {"track-properties", "the track properties of --track N (default 1)", false,
     MakeTrackProperties},
    {"position-entry", "the bar:beat:tick entry of the marks, at --at", false, MakePositionEntry},
    {"tempo-entry", "the entry of a new tempo change, at --at", false, MakeTempoEntry},
    {"program-entry", "the program entry of a program change", false, MakeProgramEntry},
};

}  // namespace

std::span<const SnapshotWindow> MixerDialogSnapshots() {
    return kWindows;
}

}  // namespace tavrino::tool
