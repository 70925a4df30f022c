#pragma once

#include <memory>

#include "app/command_line.h"
#include "app/main_frame.h"
#include "app/mon_mixer.h"
#include "app/options_commands.h"
#include "app/output_choice.h"
#include "app/print_commands.h"
#include "app/recent_files.h"
#include "harmonica/chromatic_layout.h"
#include "harmonica/diatonic_layout.h"
#include "monitors/monitor_factory.h"
#include "monitors/monitor_services.h"
#include "player/midi_stream.h"
#include "player/player.h"
#include "settings/settings.h"
#include "view/tavrino_view.h"

namespace tavrino {

// One run of the desktop program: the settings, the player, the harmonica
// layouts, and the document, main window and score view bound together.
class TavrinoSession {
public:
    // The store, the stream, the outputs and the factory outlive the
    // session.
    TavrinoSession(SettingsStore& store, MidiStream& stream, OutputChoice& outputs,
                   const MonitorFactory& monitors);

    // Carries out the command line, shows the window, reopens the monitors
    // that were open at the last exit and takes dropped files. False when
    // the first file named could not be opened: the program then ends.
    bool Start(const CommandLineRequest& request);

    CMainFrame& frame() { return *frame_; }
    // What the mixer works with in this session.
    MixerServices mixerServices();
    Player& player() { return player_; }
    CTavrinoView& view() { return *view_; }
    DiatonicLayout& diatonic() { return diatonic_; }
    ChromaticLayout& chromatic() { return chromatic_; }
    // What the monitors of this session work with.
    MonitorServices monitorServices();
    const Settings& settings() const { return settings_; }
    OptionsCommands& options() { return *options_; }
    PrintCommands& print() { return *print_; }

private:
    void ReopenMonitors();
    void ConnectOptionsAndPrinting(OutputChoice& outputs);
    // The track properties dialog, from the mixer or a note's menu; true
    // when confirmed with OK.
    bool ShowTrackProperties(int trackIndex);

    SettingsStore& store_;
    Settings settings_;
    Player player_;
    DiatonicLayout diatonic_;
    ChromaticLayout chromatic_;
    RecentFileList recentFiles_;
    std::unique_ptr<CMainFrame> frame_;
    CTavrinoView* view_ = nullptr;
    std::unique_ptr<OptionsCommands> options_;
    std::unique_ptr<PrintCommands> print_;
};

}  // namespace tavrino
