#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <string>

#include "monitors/monitor_events.h"
#include "monitors/monitor_kind.h"
#include "settings/settings_store.h"

namespace tavrino {

// How a monitor window is made; a subclass may change it in PreCreate.
struct MonitorCreateParameters {
    QString title = "Monitor";
    QRect rect{10, 10, 330, 230};
    bool resizable = false;
};

// The base of the small floating windows that follow the song while it plays
// (mixer, piano keyboard, harmonicas, lyrics): one creation path, remembered
// positions, the main frame's playback feed and the request to sound a note.
//
// A created monitor owns itself: closing its window saves its placement, tells
// the owner through a MonitorClosedEvent and deletes the object.
class CMonitor : public QWidget {
public:
    // Where the window's placement is kept.
    explicit CMonitor(SettingsStore& store);

    // Makes the window, owned by (and floating over) `owner`, and shows it.
    // Returns -1 when the contents could not be made (the caller then deletes
    // the object), else 0; a window made before is left as it is.
    int CreateMonitor(QWidget* owner);

    // The main frame's feed. `newSong` is true after a song was loaded, false
    // after stop, rewind, transposition and clearing of the marks.
    virtual int ResetDisplay(bool newSong);
    // `cell` is -1 for a note of playback, else a cell the monitor chose.
    virtual void NoteOn(int key, int eventIndex, int cell);
    virtual void NoteOff(int key, int eventIndex, int cell);
    virtual void ShowTextEvent(int eventIndex);
    // The user changed the options: fonts and colours are read again.
    virtual void ApplySettings();

    virtual MonitorKind GetKind() const = 0;

    // The normal rectangle, under "Mon%d." of the kind; a minimized or
    // maximized window keeps the rectangle saved before.
    virtual void SavePlacement();
    // The saved rectangle if there is one; then, unless -1, the width and the
    // height (when nothing was saved, or always with `forceSize`).
    virtual void RestorePlacement(int width, int height, bool forceSize);

    // Asks the owner to sound `key` with the General MIDI `program`.
    void SoundNote(int key, NoteMode mode, int program);

protected:
    virtual int PreCreate(MonitorCreateParameters& parameters);
    // Builds the controls; -1 aborts the creation.
    virtual int CreateContents();
    virtual void DestroyContents();

    void closeEvent(QCloseEvent* event) override;

    // "Mon%d." of the kind: where the monitor's own keys are kept.
    std::string PlacementPrefix() const;

private:
    SettingsStore& store_;
    bool created_ = false;
};

}  // namespace tavrino
