#pragma once

#include <QPrinter>
#include <optional>

#include "document/tavrino_doc.h"
#include "player/player.h"
#include "view/score_print.h"
#include "view/tavrino_view.h"

class QWidget;

namespace tavrino {

// Print, Print Preview and Print Setup: the song, or the part between the
// marks, on pages of staff lines painted by the score's own painter. The
// view's layout is never touched: printing lays out lines of its own.
class PrintCommands {
public:
    struct Parts {
        CTavrinoDoc& doc;
        const Settings& settings;
        const Player& player;
        const CTavrinoView& view;
        QWidget* window;  // the dialogs' and messages' parent
    };

    explicit PrintCommands(const Parts& parts);

    void Print();
    void Preview();
    void PageSetup();

    // The plan for the song as it stands; empty after a beep (while
    // playing) or a message saying why there is nothing to print.
    std::optional<PrintPlan> Prepare();
    // Prints pages `first` to `last` of the plan onto the device; false
    // when the device fails.
    bool PrintTo(QPagedPaintDevice& device, const PrintPlan& plan, int first, int last);

private:
    Parts p_;
    // Kept from one command to the next, so that the paper and printer the
    // user set up stay chosen.
    QPrinter printer_;
};

}  // namespace tavrino
