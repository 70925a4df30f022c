#pragma once

// A monitor's world for tests: settings in memory, a document on fake host
// and player, the two layouts in C, and an owner window that records the
// notes the monitor asks to sound.

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "document/document_fakes.h"
#include "document/tavrino_doc.h"
#include "monitors/monitor.h"
#include "monitors/monitor_services.h"
#include "settings/memory_settings_store.h"

namespace tavrino::test {

// Keeps "press 60", "release 60" of each MonitorNoteEvent.
class NoteOwner : public QWidget {
public:
    std::vector<std::string> notes;
    std::vector<int> programs;

protected:
    bool event(QEvent* event) override;
};

struct MonitorRig {
    MonitorRig();

    MonitorServices services();
    // Creates the monitor over the owner; the rig's owner deletes it.
    template <class Monitor>
    Monitor* Open() {
        auto monitor = std::make_unique<Monitor>(services());
        EXPECT_EQ(monitor->CreateMonitor(&owner), 0);
        return monitor.release();
    }

    MemorySettingsStore store;
    Settings settings;
    FakeHost host;
    FakePlayer player;
    CTavrinoDoc doc{host, player};
    DiatonicLayout diatonic;
    ChromaticLayout chromatic;
    std::vector<LayoutFamily> layoutChanges;
    NoteOwner owner;
};

// Sends a key press or release as the computer keyboard would.
void PressKey(QWidget& window, Qt::Key key, bool down = true);

}  // namespace tavrino::test
