#include "app/options_commands.h"

#include <QMessageBox>

#include "app/message_box.h"
#include "monitors/mon_lyrics.h"

namespace tavrino {

std::unique_ptr<CProperties> OptionsCommands::MakeSheet(OptionsChoosers choosers) {
    return std::make_unique<CProperties>(p_.settings, p_.store, *this, std::move(choosers),
                                         p_.window);
}

void OptionsCommands::Show() {
    MakeSheet(OptionsChoosers::OnScreen())->exec();
}

void OptionsCommands::DisplayChanged() {
    p_.diatonic.CreateBrushes(p_.settings);
    p_.view.RebuildFonts();
    // The harmonicas name their notes and colour their buttons as the score.
    p_.monitors.ApplySettings();
}

void OptionsCommands::DeviceChanged() {
    const bool wasPlaying = p_.player.IsPlaying();
    p_.player.Stop(false);
    p_.player.Close();
    p_.outputs.UseSoundFont(p_.settings.soundFont);
    if (p_.player.Open() != Player::kOk) {
        ShowMessageBox(p_.window, QMessageBox::Critical, "Tavrino! Warning",
                       "Cannot open MIDI device");
        return;
    }
    if (wasPlaying) {
        p_.transport.Play(false, true);
    }
}

void OptionsCommands::LyricsChanged() {
    if (CMonitor* lyrics = p_.monitors.Find(kLyricsMonitor)) {
        lyrics->ApplySettings();
        lyrics->update();
    }
}

}  // namespace tavrino
