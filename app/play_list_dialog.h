#pragma once

#include <QDialog>
#include <QListView>
#include <functional>

#include "app/play_list_model.h"
#include "player/play_list.h"
#include "settings/settings_store.h"

namespace tavrino {

// The list view of the play list dialog: entries are moved by dragging them
// onto the entry they should stand before (or below the last one).
class PlayListView : public QListView {
public:
    explicit PlayListView(QWidget* parent);

    // Called with (from, before) when an entry is dropped in a new place.
    std::function<void(int from, int before)> onMove;

protected:
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The entry a drop at `position` goes before; the size of the list below
    // the last entry.
    int DropTarget(const QPoint& position) const;
};

// The modeless play list window: the list with its current entry, and the
// buttons that add, clear, save and load. It asks its owner to carry out
// what changes the list or opens a song.
class CPlayList : public QDialog {
public:
    struct Actions {
        std::function<void()> add;
        std::function<void()> clear;
        std::function<void()> save;
        std::function<void()> load;
        std::function<void(int index)> open;  // a double-click or Enter
        std::function<void(int index)> remove;
        std::function<void(int from, int before)> move;
    };

    // Placed where it was last closed; deletes itself when closed.
    CPlayList(QWidget* owner, const PlayList& list, SettingsStore& store, Actions actions);

    // The list changed: refills the rows and selects the current entry.
    void Refill();
    // Only the current entry changed: moves the selection to it.
    void ShowCurrent();
    // Selects the row (limited to the list) and makes it the caret.
    void SelectRow(int row);

    PlayListView* view() const { return view_; }
    const PlayListModel& model() const { return *model_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RestorePlacement();
    void SavePlacement();

    const PlayList& list_;
    SettingsStore& store_;
    Actions actions_;
    PlayListModel* model_;
    PlayListView* view_;
    int shownCurrent_ = -1;
};

}  // namespace tavrino
