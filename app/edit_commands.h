#pragma once

#include <QWidget>

#include "document/tavrino_doc.h"
#include "player/player.h"

namespace tavrino {

// The Edit menu's commands that open dialogs: the selection marks, entered
// as bar:beat:tick, and the file properties.
class EditCommands {
public:
    // All three outlive the commands.
    EditCommands(QWidget& parent, CTavrinoDoc& doc, const Player& player)
        : parent_(parent), doc_(doc), player_(player) {}

    void EnterBeginMark();
    void EnterEndMark();
    void ShowFileProperties();

private:
    // The position entered, starting from the mark where it is set, else from
    // the play position; none when cancelled.
    std::optional<BarBeat> AskPosition(const QString& title, std::int32_t mark);

    QWidget& parent_;
    CTavrinoDoc& doc_;
    const Player& player_;
};

}  // namespace tavrino
