#pragma once

#include <QPointer>
#include <vector>

#include "monitors/monitor.h"
#include "monitors/monitor_factory.h"
#include "song/midi_event.h"

namespace tavrino {

// The main frame's open monitors, in the order they were opened, at most one
// of each kind, and their share of what playback reaches.
class MonitorList {
public:
    explicit MonitorList(const MonitorFactory& factory) : factory_(factory) {}

    // Index of the open monitor of the kind, or -1.
    int FindMonitor(MonitorKind kind) const;
    CMonitor* Find(MonitorKind kind) const;
    bool IsOpen(MonitorKind kind) const { return FindMonitor(kind) >= 0; }
    std::size_t size() const { return monitors_.size(); }

    // Whether the program has monitors of the kind to open.
    bool CanOpen(MonitorKind kind) const { return factory_.Has(kind); }
    // Opens the kind's monitor over `owner`, or closes it when open. Returns
    // false when nothing could be opened.
    bool Toggle(MonitorKind kind, QWidget* owner, SettingsStore& store);
    // Drops a closing monitor.
    void Remove(const CMonitor* monitor);
    // Closes every monitor, each saving its placement.
    void CloseAll();

    void ResetMonitors(bool newSong);
    // After the options changed.
    void ApplySettings();
    // Playback reached `event`, number `eventIndex` of the message list. The
    // mixer hears every note; the others only notes of visible tracks and not
    // of the percussion channel. Texts and lyrics go to the lyrics window.
    void Feed(const MidiEvent& event, int eventIndex);
    // What Feed hands one monitor.
    static void FeedMonitor(CMonitor& monitor, const MidiEvent& event, int eventIndex);

    // Who plays notes from the computer keyboard: the diatonic harmonica,
    // else the piano keyboard; null when neither is open.
    CMonitor* KeyboardMonitor() const;

private:
    const MonitorFactory& factory_;
    std::vector<QPointer<CMonitor>> monitors_;
};

}  // namespace tavrino
