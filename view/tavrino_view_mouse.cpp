// CTavrinoView: the mouse and the keyboard.

#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMouseEvent>

#include "view/note_menu.h"
#include "view/tavrino_view.h"

namespace tavrino {

namespace {

QPoint PointOf(const QMouseEvent& event) {
    return event.position().toPoint();
}

// Where the edit pointer's pencil touches the paper.
QCursor EditPointer() {
    static const QCursor pointer(QPixmap(":/images/edit.png"), 4, 20);
    return pointer;
}

}  // namespace

bool CTavrinoView::OffsetAccidentals() const {
    return settings_.offsetsharpsflats != 0 || editMode_;
}

PixelRect CTavrinoView::NoteBarOf(const MidiEvent& note) const {
    return NoteRect(page_.layout(), page_.window(), note.data1, note.time, note.duration,
                    OffsetAccidentals());
}

std::optional<NoteHit> CTavrinoView::NoteUnder(int x, int y) const {
    return HitNote(doc_.song.messages, page_.firstEventIndex(), page_.layout(), page_.window(), x,
                   y, OffsetAccidentals());
}

void CTavrinoView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        LeftButtonDown(PointOf(*event), event->modifiers());
    } else if (event->button() == Qt::RightButton) {
        RightButtonDown(PointOf(*event), event->modifiers(), event->globalPosition().toPoint());
    }
}

void CTavrinoView::LeftButtonDown(QPoint point, Qt::KeyboardModifiers keys) {
    ClickMarks(point, keys, (keys & Qt::ShiftModifier) != 0);
    if (!editMode_ || doc_.song.division <= 0) {
        return;
    }
    if (const auto grip = trackers_.GripAt(point.x(), point.y())) {
        HoldTracker(grip->first, grip->second, point);
        return;
    }
    EditClick(point, keys);
}

void CTavrinoView::ClickMarks(QPoint point, Qt::KeyboardModifiers keys, bool endMark) {
    const MidiSong& song = doc_.song;
    // Without a division there is no time to place a mark at.
    if (song.messages.empty() || song.division <= 0) {
        return;
    }
    const ScoreLayout& layout = page_.layout();
    if (InMarkBand(layout, page_.window(), point.x(), point.y())) {
        const std::int32_t tick =
            TickUnderPointer(layout, page_.window(), point.x(), (keys & Qt::ControlModifier) == 0);
        if (endMark) {
            PlaceEndMarkAt(doc_.beginMark, doc_.endMark, tick);
        } else {
            PlaceBeginMarkAt(doc_.beginMark, doc_.endMark, tick);
        }
    } else if (point.y() > layout.staffBottom && !endMark) {
        doc_.beginMark = kNoMark;
        doc_.endMark = kNoMark;
    } else {
        return;
    }
    viewport()->update();
    emit monitorsReset(false);
}

void CTavrinoView::EditClick(QPoint point, Qt::KeyboardModifiers keys) {
    const ScoreLayout& layout = page_.layout();
    const bool adding = (keys & Qt::ControlModifier) != 0;
    // A click that misses every selected note ends the selection.
    if (!adding && point.y() <= layout.staffBottom && !trackers_.Empty()) {
        trackers_.Clear();
        viewport()->update();
    }
    if (const std::optional<NoteHit> hit = NoteUnder(point.x(), point.y())) {
        MidiEvent& note = *doc_.song.messages[hit->index];
        if (!adding) {
            trackers_.Clear();
        }
        if (!trackers_.Contains(&note)) {
            trackers_.Add(note);
        }
        viewport()->update();
        if (const auto grip = trackers_.GripAt(point.x(), point.y())) {
            HoldTracker(grip->first, grip->second, point);
        }
        return;
    }
    if (adding) {
        return;
    }
    doc_.editCursor = TickUnderPointer(layout, page_.window(), point.x(), true);
    if (doc_.mouseWrite && point.y() > layout.staffTop && point.y() < layout.staffBottom) {
        const int key = KeyFromY(layout, page_.window(), point.y() - layout.lineHeight / 2 + 1);
        if (key >= 0 && key <= 127) {
            writtenKey_ = key;
            emit noteRequested(key, true);
        }
    }
    viewport()->update();
}

void CTavrinoView::HoldTracker(std::size_t index, TrackerGrip grip, QPoint origin) {
    std::vector<MidiEvent*> notes;
    for (std::size_t i = 0; i < trackers_.Count(); ++i) {
        notes.push_back(trackers_.NoteAt(i));
    }
    hold_ = TrackerHold{index, grip, origin, BoundsOf(notes)};
    viewport()->setCursor(grip == TrackerGrip::kResize ? Qt::SizeHorCursor : Qt::SizeAllCursor);
}

void CTavrinoView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = PointOf(*event);
    if (!hold_ || hold_->index >= trackers_.Count()) {
        UpdatePointerShape(point);
        return;
    }
    const TrackerDrag drag{hold_->grip, point.x() - hold_->origin.x(),
                           point.y() - hold_->origin.y(),
                           (event->modifiers() & Qt::ShiftModifier) != 0};
    trackers_.Drag(hold_->index, DragTargetOf(*trackers_.NoteAt(hold_->index), drag, page_.layout(),
                                              page_.window(), hold_->bounds));
    viewport()->update();
}

void CTavrinoView::mouseReleaseEvent(QMouseEvent* event) {
    if (writtenKey_) {
        emit noteRequested(*std::exchange(writtenKey_, std::nullopt), false);
    }
    if (!hold_) {
        return;
    }
    hold_.reset();
    if (const std::optional<std::size_t> dragged = trackers_.EndDrag()) {
        doc_.ApplyTrackerDrag(*dragged);
        trackers_.ForgetDrag();
        Invalidate();
    } else {
        viewport()->update();
    }
    UpdatePointerShape(PointOf(*event));
}

void CTavrinoView::RightButtonDown(QPoint point, Qt::KeyboardModifiers keys, QPoint screenPoint) {
    ClickMarks(point, keys, true);
    if (const std::optional<NoteHit> hit = NoteUnder(point.x(), point.y())) {
        ShowNoteMenu(*doc_.song.messages[hit->index], screenPoint);
    }
}

void CTavrinoView::ShowNoteMenu(MidiEvent& note, QPoint screenPoint) {
    const bool playing = CurrentPlay().playing;
    QMenu menu(this);
    for (const NoteMenuEntry& entry : NoteMenuEntries(doc_.song, note, playing, Scene().tabs)) {
        if (entry.command == kMenuSeparator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(entry.text));
        action->setData(entry.command);
        const auto shown = doc_.shownAlternates.find(&note);
        if (shown != doc_.shownAlternates.end() &&
            entry.command == kMenuFirstAlternate + shown->second) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        // The track's properties need a window that shows them.
        if (entry.command == kMenuAlternatesTitle ||
            (entry.command == kMenuTrackProperties &&
             !isSignalConnected(
                 QMetaMethod::fromSignal(&CTavrinoView::trackPropertiesRequested)))) {
            action->setEnabled(false);
        }
    }
    if (const QAction* chosen = menu.exec(screenPoint)) {
        RunNoteCommand(chosen->data().toInt(), note);
    }
}

void CTavrinoView::RunNoteCommand(int command, MidiEvent& note) {
    MidiSong& song = doc_.song;
    MidiTrack* track = note.track;
    const int trackIndex = song.TrackIndexOf(track);
    if (track == nullptr || trackIndex < 0) {
        return;
    }
    switch (command) {
        case kMenuHideTrack:
            track->flags &= ~MidiTrack::kVisible;
            break;
        case kMenuShowOnlyTrack:
            for (const auto& each : song.tracks) {
                each->flags = static_cast<std::int16_t>(each.get() == track
                                                            ? each->flags | MidiTrack::kVisible
                                                            : each->flags & ~MidiTrack::kVisible);
            }
            break;
        case kMenuTrackProperties:
            emit trackPropertiesRequested(trackIndex);
            return;
        case kMenuDeleteTrack:
            if (trackIndex == 0) {
                QMessageBox::information(this, "Track Delete", "Track 0 cannot be deleted");
                return;
            }
            if (QMessageBox::question(this, "Track Delete",
                                      "Are you sure you want to delete the track") !=
                QMessageBox::Yes) {
                return;
            }
            doc_.DeleteTrack(trackIndex);
            Invalidate();
            emit monitorsReset(true);
            emit tracksChanged();
            return;
        case kMenuDeleteNote:
            doc_.DeleteNoteEvent(note);
            Invalidate();
            return;
        case kMenuAlternatesTitle:
            return;
        case kMenuHighlightTrack:
            track->flags ^= MidiTrack::kHighlighted;
            emit trackHighlightToggled(trackIndex);
            Invalidate();
            return;
        default: {
            if (command <= kMenuFirstAlternate) {
                return;
            }
            // One of the other ways to play the note: the note shows it, and
            // chosen again, the preferred one comes back.
            const int alternate = command - kMenuFirstAlternate;
            const auto shown = doc_.shownAlternates.find(&note);
            if (shown != doc_.shownAlternates.end() && shown->second == alternate) {
                doc_.shownAlternates.erase(shown);
            } else {
                doc_.shownAlternates[&note] = alternate;
            }
            Invalidate();
            return;
        }
    }
    Invalidate();
    emit monitorsReset(true);
    emit tracksChanged();
}

void CTavrinoView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && editMode_ && !trackers_.Empty()) {
        DeleteSelectedNotes();
    }
    // The main window sees every key: it may play a monitor.
    event->ignore();
}

void CTavrinoView::DeleteSelectedNotes() {
    hold_.reset();
    // Each deletion takes its note out of the selection.
    for (std::size_t count = trackers_.Count(); count > 0 && !trackers_.Empty(); --count) {
        doc_.DeleteNoteEvent(*trackers_.NoteAt(0));
    }
    Invalidate();
}

void CTavrinoView::UpdatePointerShape(QPoint point) {
    const ScoreLayout& layout = page_.layout();
    if (OverMarkBand(layout, point.x(), point.y())) {
        viewport()->setCursor(Qt::UpArrowCursor);
        return;
    }
    if (editMode_) {
        if (const auto grip = trackers_.GripAt(point.x(), point.y())) {
            viewport()->setCursor(grip->second == TrackerGrip::kResize ? Qt::SizeHorCursor
                                                                       : Qt::SizeAllCursor);
            return;
        }
        if (doc_.mouseWrite && point.y() <= layout.staffBottom + 1) {
            viewport()->setCursor(EditPointer());
            return;
        }
    }
    viewport()->unsetCursor();
}

}  // namespace tavrino
