#pragma once

#include <QApplication>
#include <memory>

#include "app/command_line.h"
#include "app/output_choice.h"
#include "app/tavrino_session.h"
#include "monitors/monitor_factory.h"
#include "platform/qt_settings_store.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/stream_clock.h"
#include "platform/system_midi_outputs.h"

namespace tavrino {

// The desktop program: the user's settings, this machine's MIDI outputs
// played in real time, and the session that binds the windows together.
class CTavrinoApp : public QApplication {
public:
    CTavrinoApp(int& argc, char** argv);
    ~CTavrinoApp() override;

    // The names the settings and the command line use.
    static void DescribeApplication();

    // Start-up; false ends the program.
    bool InitInstance(const CommandLineRequest& request);

private:
    QtSettingsStore store_;
    SystemMidiOutputs outputs_;
    SystemOutputChoice outputChoice_;
    SteadyStreamClock clock_;
    ScheduledMidiStream stream_;
    MonitorFactory monitors_;
    std::unique_ptr<TavrinoSession> session_;
};

}  // namespace tavrino
