#include "monitors/monitor_list.h"

#include <algorithm>

#include "song/midi_track.h"

namespace tavrino {

int MonitorList::FindMonitor(MonitorKind kind) const {
    const auto found = std::find_if(monitors_.begin(), monitors_.end(), [kind](const auto& m) {
        return m != nullptr && m->GetKind() == kind;
    });
    return found == monitors_.end() ? -1 : static_cast<int>(found - monitors_.begin());
}

CMonitor* MonitorList::Find(MonitorKind kind) const {
    const int index = FindMonitor(kind);
    return index < 0 ? nullptr : monitors_[static_cast<std::size_t>(index)].data();
}

bool MonitorList::Toggle(MonitorKind kind, QWidget* owner, SettingsStore& store) {
    if (CMonitor* open = Find(kind)) {
        open->close();
        return true;
    }
    std::unique_ptr<CMonitor> monitor = factory_.Create(kind, store);
    if (monitor == nullptr || monitor->CreateMonitor(owner) < 0) {
        return false;
    }
    monitors_.emplace_back(monitor.release());
    return true;
}

void MonitorList::Remove(const CMonitor* monitor) {
    const auto found = std::find(monitors_.begin(), monitors_.end(), monitor);
    if (found != monitors_.end()) {
        monitors_.erase(found);
    }
}

void MonitorList::CloseAll() {
    // Each close removes its monitor from the list.
    for (const QPointer<CMonitor>& monitor : std::vector(monitors_)) {
        if (monitor != nullptr) {
            monitor->close();
        }
    }
    monitors_.clear();
}

void MonitorList::ResetMonitors(bool newSong) {
    for (const QPointer<CMonitor>& monitor : monitors_) {
        if (monitor != nullptr) {
            monitor->ResetDisplay(newSong);
        }
    }
}

void MonitorList::ApplySettings() {
    for (const QPointer<CMonitor>& monitor : monitors_) {
        if (monitor != nullptr) {
            monitor->ApplySettings();
        }
    }
}

void MonitorList::Feed(const MidiEvent& event, int eventIndex) {
    for (const QPointer<CMonitor>& monitor : monitors_) {
        if (monitor != nullptr) {
            FeedMonitor(*monitor, event, eventIndex);
        }
    }
}

void MonitorList::FeedMonitor(CMonitor& monitor, const MidiEvent& event, int eventIndex) {
    if (event.isTextOrLyric()) {
        if (monitor.GetKind() == kLyricsMonitor) {
            monitor.ShowTextEvent(eventIndex);
        }
        return;
    }
    const bool heardByAll =
        event.track != nullptr && event.track->visible() && !event.isPercussion();
    if (!heardByAll && monitor.GetKind() != kMixerMonitor) {
        return;
    }
    if (event.isSoundingNoteOn()) {
        monitor.NoteOn(event.data1, eventIndex, -1);
    } else if (event.isNoteEnd()) {
        monitor.NoteOff(event.data1, eventIndex, -1);
    }
}

CMonitor* MonitorList::KeyboardMonitor() const {
    CMonitor* diatonic = Find(kDiatonicMonitor);
    return diatonic != nullptr ? diatonic : Find(kPianoMonitor);
}

}  // namespace tavrino
