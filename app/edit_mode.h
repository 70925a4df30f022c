#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "app/frame_view.h"
#include "document/tavrino_doc.h"
#include "player/player.h"
#include "view/edit_toolbar.h"

namespace tavrino {

// Edit mode is open exactly while the edit toolbar exists. Opening it makes
// the song editable first (an empty song gets its tracks); closing it, by the
// toolbar's own button, its window or the command, remembers the toolbar's
// settings and lets go of every key still held.
class EditMode : public QObject {
public:
    struct Parts {
        CTavrinoDoc& doc;
        FrameView& view;
        Player& player;
        SettingsStore& store;
        QWidget& frame;  // owns the toolbar and the dialogs
    };

    // `changed` runs whenever edit mode opens or closes.
    EditMode(const Parts& parts, std::function<void()> changed);
    ~EditMode() override;

    bool IsOpen() const { return toolbar_ != nullptr; }
    CEditToolbar* toolbar() const { return toolbar_; }
    // The command: opens edit mode, or closes it when open.
    void Toggle();
    // False when the song could not be made editable.
    bool Open();
    void Close();
    // Tracks were added, deleted or moved: the toolbar's lists follow.
    void RefreshTracks();
    // How the new-track dialog is asked (tests answer it themselves).
    void SetNewTrackAsker(NewTrackAsker ask) { askNewTrack_ = std::move(ask); }

private:
    void PlaceToolbar(const EditToolbarSettings& settings);

    Parts p_;
    std::function<void()> changed_;
    NewTrackAsker askNewTrack_;
    QPointer<CEditToolbar> toolbar_;
};

}  // namespace tavrino
