#include "app/edit_commands.h"

#include "dialogs/entry_dialogs.h"
#include "dialogs/file_properties.h"

namespace tavrino {

void EditCommands::EnterBeginMark() {
    if (const auto position = AskPosition("Begin Mark", doc_.beginMark)) {
        doc_.SetBeginMark(*position);
    }
}

void EditCommands::EnterEndMark() {
    if (const auto position = AskPosition("End Mark", doc_.endMark)) {
        doc_.SetEndMark(*position);
    }
}

void EditCommands::ShowFileProperties() {
    if (doc_.HasTracks()) {
        CFileProperties(doc_, player_.position.current, UserPrompts::OnScreen(), &parent_).exec();
    }
}

std::optional<BarBeat> EditCommands::AskPosition(const QString& title, std::int32_t mark) {
    if (!doc_.HasTracks()) {
        return std::nullopt;
    }
    const std::int32_t start = IsMarkSet(mark) ? mark : player_.position.current.load();
    CPosEntry entry(doc_.song, &parent_);
    entry.setWindowTitle(title);
    entry.SetPosition(doc_.song.TickToBarBeat(start).value_or(BarBeat{1, 1, 0}));
    if (entry.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return entry.Position();
}

}  // namespace tavrino
