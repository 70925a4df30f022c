#include "app/transport.h"

#include <QApplication>
#include <QMessageBox>

#include "app/monitor_notes.h"
#include "app/player_events.h"
#include "player/practice_loop.h"

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
        if (IsPracticeLoop()) {
            SetLoopTempo(FirstPassTempo(p_.settings, p_.player.TempoPercent()));
        }
    } else if (p_.editMode() && p_.doc.editCursor != kNoMark) {
        start = p_.doc.editCursor;
    }
    const int result = p_.player.Play(start, countIn);
    p_.view.Invalidate();
    if (result != Player::kOk && result != Player::kAlreadyPlaying) {
        QMessageBox::warning(&p_.window, "Tavrino! Error", "Cannot start playing!");
    }
}

void Transport::PlayCommand() {
    Play(p_.settings.playMetronome != 0 || (IsPracticeLoop() && p_.settings.loopCountIn != 0),
         false);
}

void Transport::PlayFromStart(bool countIn) {
    p_.player.Play(0, countIn);
    p_.view.Invalidate();
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

bool Transport::IsPracticeLoop() const {
    return p_.doc.beginMark != kNoMark && p_.doc.endMark != kNoMark;
}

void Transport::SetLoopTempo(int percent) {
    if (percent != p_.player.TempoPercent()) {
        p_.player.TempoPercent(percent);
        QCoreApplication::postEvent(&p_.window, new PlayerEvent(WM_PLAYER_TEMPO, 0, 0));
    }
}

void Transport::NextLoopPass() {
    if (p_.doc.beginMark == kNoMark) {
        Rewind();
        return;
    }
    const bool countIn = IsPracticeLoop() && p_.settings.loopCountIn != 0;
    if (IsPracticeLoop()) {
        SetLoopTempo(NextPassTempo(p_.settings, p_.player.TempoPercent()));
    }
    if (p_.player.IsPlaying() && !countIn) {
        Rewind();
        return;
    }
    p_.player.Stop(false);
    p_.monitors.ResetMonitors(false);
    p_.player.Play(p_.doc.beginMark, countIn);
    p_.view.Invalidate();
}

bool Transport::OnPlayerEnded() {
    p_.monitors.ResetMonitors(false);
    if (p_.editMode() && p_.doc.editCursor != kNoMark) {
        p_.player.Seek(p_.doc.editCursor);
        p_.display.ShowPosition(-1);
        p_.view.Invalidate();
        return true;
    }
    p_.player.Seek(0);
    p_.display.ShowPosition(-1);
    p_.view.Invalidate();
    if (p_.doc.beginMark != kNoMark) {
        NextLoopPass();
        return true;
    }
    return false;
}

}  // namespace tavrino
