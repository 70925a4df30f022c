#include "app/edit_mode.h"

#include "app/monitor_notes.h"
#include "monitors/saved_placement.h"

namespace tavrino {

EditMode::EditMode(const Parts& parts, std::function<void()> changed)
    : p_(parts), changed_(std::move(changed)), askNewTrack_(AskNewTrackWith(&parts.frame)) {}

EditMode::~EditMode() {
    delete toolbar_.data();
}

void EditMode::Toggle() {
    if (IsOpen()) {
        Close();
    } else {
        Open();
    }
}

bool EditMode::Open() {
    if (IsOpen()) {
        return true;
    }
    if (!MakeSongEditable(p_.doc, askNewTrack_, &p_.frame)) {
        p_.view.Invalidate();
        return false;
    }
    const EditToolbarSettings settings = ReadEditToolbarSettings(p_.store);
    toolbar_ = new CEditToolbar(p_.doc, settings, askNewTrack_, &p_.frame);
    connect(toolbar_, &QDialog::finished, this, &EditMode::Close);
    connect(toolbar_, &CEditToolbar::songChanged, this, [this] { p_.view.Invalidate(); });
    PlaceToolbar(settings);
    p_.view.SetEditMode(true);
    p_.player.SetEditMode(true);
    toolbar_->show();
    changed_();
    return true;
}

void EditMode::PlaceToolbar(const EditToolbarSettings& settings) {
    toolbar_->adjustSize();
    if (settings.x && settings.y) {
        const QRect saved(QPoint(*settings.x, *settings.y), toolbar_->size());
        toolbar_->move(KeepOnScreen(saved, PrimaryScreenSize(), StandardIconSize()).topLeft());
        return;
    }
    // Beside the score's top right corner, clear of the menus and toolbar.
    const QRect frame = p_.frame.frameGeometry();
    toolbar_->move(frame.right() - toolbar_->width() - 40, frame.top() + 110);
}

void EditMode::Close() {
    if (!IsOpen()) {
        return;
    }
    CEditToolbar* toolbar = toolbar_;
    toolbar_ = nullptr;
    EditToolbarSettings settings = toolbar->Settings();
    if (toolbar->windowState() == Qt::WindowNoState) {
        settings.x = toolbar->pos().x();
        settings.y = toolbar->pos().y();
    }
    WriteEditToolbarSettings(p_.store, settings);
    SilenceHeldNotes(p_.doc, p_.player);
    toolbar->hide();
    toolbar->deleteLater();
    p_.view.SetEditMode(false);
    p_.player.SetEditMode(false);
    changed_();
}

void EditMode::RefreshTracks() {
    if (IsOpen()) {
        toolbar_->FillTracks();
    }
}

}  // namespace tavrino
