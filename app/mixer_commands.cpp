// CMonMixer: the context menu of the track list, its commands and keys.

#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>

#include "app/mon_mixer.h"

namespace tavrino {

namespace {

QString TrackNumbers(const std::vector<int>& numbers) {
    QStringList written;
    for (const int number : numbers) {
        written << QString(" %1").arg(number);
    }
    return written.join(",");
}

}  // namespace

std::vector<MidiTrack*> CMonMixer::SelectedTracks() const {
    std::vector<MidiTrack*> tracks;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected() &&
            static_cast<std::size_t>(row) < song().tracks.size()) {
            tracks.push_back(song().tracks[static_cast<std::size_t>(row)].get());
        }
    }
    return tracks;
}

std::unique_ptr<QMenu> CMonMixer::ContextMenu(int row) {
    auto menu = std::make_unique<QMenu>();
    const bool selected = !list_->selectedItems().isEmpty();
    const bool any = list_->count() > 0;
    const bool playing = services_.isPlaying();
    const auto add = [&](const char* text, bool enabled, auto command) {
        QAction* action = menu->addAction(text, this, command);
        action->setEnabled(enabled);
        return action;
    };
    add("&Mute Selection", selected, [this] { MuteSelection(); });
    add("&Solo Selected", selected, [this] { SoloSelection(); });
    add("&Reset Volumes", any, [this] { ResetAllVolumes(); });
    QAction* along =
        add("Play &along: mute this track", row >= 0, [this, row] { PlayAlongWith(row); });
    along->setCheckable(true);
    along->setChecked(row >= 0 &&
                      IsPlayingAlong(song(), *song().tracks[static_cast<std::size_t>(row)]));
    menu->addSeparator();
    add("&Hide Selection\t[Backspace]", selected, [this] { HideSelection(); });
    add("&Show Selection only", selected, [this] { ShowSelectionOnly(); });
    add("Show &All", any, [this] { ShowAll(); });
    menu->addSeparator();
    add("Track &Properties", selected && !playing, [this] { ShowTrackProperties(); });
    add("&Delete Tracks\t[Del]", selected && !playing, [this] { DeleteTracks(); });
    add("App&ly Volume Changes", selected && !playing, [this] { ApplyVolumeChanges(); });
    menu->addSeparator();
    add("&Invert Selection", any, [this] { InvertSelection(); });
    return menu;
}

// --- Volumes -------------------------------------------------------------------

void CMonMixer::MuteSelection() {
    MuteTracks(SelectedTracks());
    AfterVolumeChange();
}

void CMonMixer::SoloSelection() {
    SoloTracks(song(), SelectedTracks());
    AfterVolumeChange();
}

void CMonMixer::ResetAllVolumes() {
    ResetVolumes(song());
    AfterVolumeChange();
}

void CMonMixer::PlayAlongWith(int trackIndex) {
    if (trackIndex < 0 || static_cast<std::size_t>(trackIndex) >= song().tracks.size()) {
        return;
    }
    MidiTrack& track = *song().tracks[static_cast<std::size_t>(trackIndex)];
    // Chosen again, it ends: the track plays with the others.
    if (IsPlayingAlong(song(), track)) {
        ResetVolumes(song());
    } else {
        PlayAlong(song(), track);
    }
    AfterVisibilityChange(false);
}

void CMonMixer::ApplyVolumeChanges() {
    for (MidiTrack* track : SelectedTracks()) {
        const int index = song().TrackIndexOf(track);
        if (index >= 0) {
            services_.doc.ScaleTrackVelocities(index);
        }
    }
    AfterVolumeChange();
}

void CMonMixer::AfterVolumeChange() {
    RefreshControls();
}

// --- Visibility ------------------------------------------------------------------

void CMonMixer::HideSelection() {
    HideTracks(SelectedTracks());
    AfterVisibilityChange(false);
}

void CMonMixer::ShowSelectionOnly() {
    ShowTracks(song(), SelectedTracks(), false);
    AfterVisibilityChange(false);
}

void CMonMixer::ShowAll() {
    for (const auto& track : song().tracks) {
        track->flags |= MidiTrack::kVisible;
    }
    AfterVisibilityChange(false);
}

void CMonMixer::InvertSelection() {
    refilling_ = true;
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        item->setSelected(!item->isSelected());
    }
    refilling_ = false;
    OnSelectionChanged();
    AfterVisibilityChange(false);
}

void CMonMixer::AfterVisibilityChange(bool tracksChanged) {
    RefreshControls();
    list_->viewport()->update();
    services_.repaintView();
    services_.resetMonitors(tracksChanged);
}

// --- Tracks ------------------------------------------------------------------------

void CMonMixer::ShowTrackProperties() {
    const QScopedValueRollback keep(keepScroll_, true);
    // Each dialog may move or rename its track: the next one is found again.
    for (MidiTrack* track : SelectedTracks()) {
        const int index = song().TrackIndexOf(track);
        if (index >= 0 && services_.trackProperties(index)) {
            RefillList(true);
            RefreshControls();
        }
    }
}

void CMonMixer::DeleteTracks() {
    std::vector<MidiTrack*> doomed;
    std::vector<int> numbers;
    for (MidiTrack* track : SelectedTracks()) {
        const int index = song().TrackIndexOf(track);
        if (index == 0) {
            services_.prompts.inform(this, "Track Delete", "Track 0 cannot be deleted");
            list_->item(0)->setSelected(false);
            continue;
        }
        doomed.push_back(track);
        numbers.push_back(index);
    }
    if (doomed.empty()) {
        return;
    }
    const QString question = QString(numbers.size() == 1 ? "Deleting track" : "Deleting tracks") +
                             TrackNumbers(numbers) +
                             "\nAre you sure? this operation cannot be Undo";
    if (!services_.prompts.confirm(this, "Track Delete", question)) {
        return;
    }
    const QScopedValueRollback keep(keepScroll_, true);
    for (auto track = doomed.rbegin(); track != doomed.rend(); ++track) {
        services_.doc.DeleteTrack(song().TrackIndexOf(*track));
    }
    RefillList(true);
    AfterVisibilityChange(true);
}

// --- The list --------------------------------------------------------------------------

void CMonMixer::OnSelectionChanged() {
    if (refilling_ || Loading()) {
        return;
    }
    for (int row = 0; row < list_->count(); ++row) {
        MidiTrack& track = *song().tracks[static_cast<std::size_t>(row)];
        track.flags = static_cast<std::int16_t>(list_->item(row)->isSelected()
                                                    ? track.flags | MidiTrack::kHighlighted
                                                    : track.flags & ~MidiTrack::kHighlighted);
    }
    services_.repaintView();
}

void CMonMixer::FollowHighlights() {
    // The flags are the source here: copying them back would be a no-op
    // that repaints the score once more.
    const QSignalBlocker quiet(list_);
    for (int row = 0; row < list_->count() && static_cast<std::size_t>(row) < song().tracks.size();
         ++row) {
        list_->item(row)->setSelected(
            (song().tracks[static_cast<std::size_t>(row)]->flags & MidiTrack::kHighlighted) != 0);
    }
}

bool CMonMixer::HandleListKey(const QKeyEvent& event) {
    const bool selected = !list_->selectedItems().isEmpty();
    switch (event.key()) {
        case Qt::Key_Backspace:
            if (selected) {
                HideSelection();
            }
            return true;
        case Qt::Key_Delete:
            if (selected && !services_.isPlaying()) {
                DeleteTracks();
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Ctrl+Enter adds the selected tracks to those on show.
            ShowTracks(song(), SelectedTracks(), (event.modifiers() & Qt::ControlModifier) != 0);
            list_->clearSelection();
            AfterVisibilityChange(false);
            return true;
        case Qt::Key_Escape:
            list_->clearSelection();
            return true;
        default:
            return false;
    }
}

}  // namespace tavrino
