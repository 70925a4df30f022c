// The main window's answers to the document's requests.

#include <QApplication>
#include <QMessageBox>

#include "app/main_frame.h"
#include "app/message_box.h"

namespace tavrino {

void CMainFrame::ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    ShowMessageBox(this,
                   icon == MessageIcon::kExclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                   QString::fromStdString(caption), QString::fromStdString(text));
}

SaveChangesAnswer CMainFrame::AskSaveChanges(const std::string& prompt) {
    switch (QMessageBox::question(this, "Tavrino", QString::fromStdString(prompt),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return SaveChangesAnswer::kYes;
        case QMessageBox::No:
            return SaveChangesAnswer::kNo;
        default:
            return SaveChangesAnswer::kCancel;
    }
}

bool CMainFrame::AskYesNo(const std::string& question, const std::string& caption) {
    return QMessageBox::question(this, QString::fromStdString(caption),
                                 QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> CMainFrame::AskSavePath() {
    return files_->AskSavePath();
}

void CMainFrame::Beep() {
    QApplication::beep();
}

void CMainFrame::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

void CMainFrame::BeginProgress() {
    panes_->BeginProgress();
}

void CMainFrame::SetProgress(int percent) {
    panes_->SetProgress(percent);
}

void CMainFrame::EndProgress() {
    panes_->EndProgress();
}

// The document calls these after each change of the song: the commands'
// states follow at once, keys included, not only when a menu opens.
void CMainFrame::RepaintView() {
    view_->Invalidate();
    UpdateCommands();
}

void CMainFrame::SetScrollRange(std::int32_t quarters) {
    view_->SetScrollRange(quarters);
}

void CMainFrame::ScrollToShow(std::int32_t tick) {
    view_->ScrollToShow(tick);
}

void CMainFrame::ResetMonitors(bool newSong) {
    monitors_.ResetMonitors(newSong);
    if (newSong && editMode_ != nullptr) {
        editMode_->RefreshTracks();
    }
    UpdateCommands();
}

void CMainFrame::ShowPosition(std::int32_t tick) {
    display_.ShowPosition(tick);
}

void CMainFrame::ShowTempo() {
    panes_->ShowBeatsPerMinute(player_.TempoPercent(-1));
    tempo_->ShowPercent(player_.TempoPercent());
}

void CMainFrame::Play(bool countIn, bool ignoreBeginMark) {
    transport_.Play(countIn, ignoreBeginMark);
}

void CMainFrame::ShowModified(bool modified) {
    setWindowModified(modified);
    UpdateCommands();
}

void CMainFrame::LeaveEditMode() {
    if (editMode_ != nullptr) {
        editMode_->Close();
    }
}

void CMainFrame::ReloadCurrentFile() {
    files_->ReopenCurrentFile();
}

}  // namespace tavrino
