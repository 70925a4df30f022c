#pragma once

#include "app/output_choice.h"
#include "app/transport.h"
#include "dialogs/options_sheet.h"
#include "harmonica/diatonic_layout.h"
#include "monitors/monitor_list.h"
#include "player/player.h"
#include "settings/settings.h"
#include "view/tavrino_view.h"

class QWidget;

namespace tavrino {

// The Options command: the options sheet over the session's settings, and
// what its changes do to the score, the monitors and the output.
class OptionsCommands final : public OptionsHost {
public:
    struct Parts {
        Settings& settings;
        SettingsStore& store;
        Player& player;
        CTavrinoView& view;
        DiatonicLayout& diatonic;
        MonitorList& monitors;
        OutputChoice& outputs;
        Transport& transport;  // plays on after a device change
        QWidget* window;       // the sheet's and the messages' parent
    };

    explicit OptionsCommands(const Parts& parts) : p_(parts) {}

    // Runs the sheet modally.
    void Show();
    // A new sheet over the settings, not shown yet.
    std::unique_ptr<CProperties> MakeSheet(OptionsChoosers choosers);

    std::vector<std::string> OutputNames() override { return p_.outputs.Names(); }
    int DefaultOutput() override { return p_.outputs.DefaultDevice(); }
    std::string CheckSoundFont(const std::string& path) override {
        return p_.outputs.CheckSoundFont(path);
    }
    std::string StandardSoundFont() override { return p_.outputs.StandardSoundFont(); }
    void DisplayChanged() override;
    void DeviceChanged() override;
    void LyricsChanged() override;

private:
    Parts p_;
};

}  // namespace tavrino
