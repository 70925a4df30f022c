#include "app/transport.h"

#include <QApplication>
#include <QMessageBox>

#include "app/monitor_notes.h"

namespace tavrino {

void Transport::Play(bool countIn, bool ignoreBeginMark) {
    if (p_.player.IsPlaying()) {
        return;
    }
    p_.monitors.ResetMonitors(false);
    if (p_.doc.song.messages.empty()) {
        return;
    }
    std::int32_t start = p_.player.position.current.load();
    if (p_.doc.beginMark != kNoMark && !ignoreBeginMark) {
        start = p_.doc.beginMark;
    } else if (p_.editMode() && p_.doc.editCursor != kNoMark) {
        start = p_.doc.editCursor;
    }
    const int result = p_.player.Play(start, countIn);
    p_.view.Invalidate();
    if (result != Player::kOk && result != Player::kAlreadyPlaying) {
        QMessageBox::warning(&p_.window, "Tavrino! Error", "Cannot start playing!");
    }
}

void Transport::Stop() {
    p_.player.Stop(false);
    SilenceHeldNotes(p_.doc, p_.player);
    p_.monitors.ResetMonitors(false);
    p_.view.Invalidate();
}

void Transport::Rewind() {
    const std::int32_t start = p_.doc.beginMark != kNoMark ? p_.doc.beginMark : 0;
    p_.player.Seek(start);
    if (p_.editMode()) {
        p_.doc.editCursor = start;
    }
    p_.view.Invalidate();
    p_.display.ShowPosition(-1);
    p_.monitors.ResetMonitors(false);
}

void Transport::SeekTo(std::int32_t tick) {
    p_.player.Seek(tick);
    p_.monitors.ResetMonitors(false);
    p_.display.ShowPosition(tick);
}

void Transport::PlayOrStop() {
    if (p_.player.IsPlaying()) {
        Stop();
    } else {
        Play(false, true);
    }
}

void Transport::Transpose(int semitones, bool wholeSong) {
    const bool wasPlaying = p_.player.IsPlaying();
    if (wasPlaying) {
        p_.player.Stop(false);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    p_.doc.Transpose(semitones, wholeSong);
    QApplication::restoreOverrideCursor();
    p_.monitors.ResetMonitors(false);
    p_.view.Invalidate();
    if (wasPlaying) {
        Play(false, true);
    }
}

void Transport::OnPlayerEnded() {
    p_.monitors.ResetMonitors(false);
    if (p_.editMode() && p_.doc.editCursor != kNoMark) {
        p_.player.Seek(p_.doc.editCursor);
        p_.display.ShowPosition(-1);
        p_.view.Invalidate();
        return;
    }
    p_.player.Seek(0);
    p_.display.ShowPosition(-1);
    p_.view.Invalidate();
    if (p_.doc.beginMark != kNoMark) {
        p_.player.Play(p_.doc.beginMark, false);
        return;
    }
    // Without a play list the open song is the whole list, so "All" repeats
    // it just as "One" does.
    if (p_.settings.playerRepeat == 1 || p_.settings.playerRepeat == 2) {
        p_.player.Play(0, false);
    }
}

}  // namespace tavrino
