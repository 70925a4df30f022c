#include "app/play_list_commands.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/transport.h"
#include "player/play_list_file.h"
#include "player/song_end.h"

namespace tavrino {

namespace {

constexpr const char* kSongFilter = "Midi Files (*.mid *.kar);;All Files (*)";
constexpr const char* kListFilter = "Playlist Files (*.lst *.m3u *.m3u8)";
constexpr const char* kSaveFilter = "Playlist Files (*.lst)";

std::string LocalPath(const QString& path) {
    return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

QString ReadError(const PlayListFile& file, const QString& path) {
    return file.status == PlayListFile::kNotAPlayList
               ? QString("%1\nis not a play list.").arg(path)
               : QString("Cannot read the play list\n%1").arg(path);
}

}  // namespace

bool IsPlayListName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "lst" || suffix == "m3u" || suffix == "m3u8";
}

PlayListCommands::PlayListCommands(const Parts& parts) : p_(parts) {}

PlayListCommands::~PlayListCommands() {
    delete dialog_.data();
}

bool PlayListCommands::OpenFiles(const QStringList& paths) {
    int savedIndex = 0;
    std::vector<std::string> entries = ExpandLists(paths, savedIndex);
    if (entries.empty()) {
        return false;
    }
    list_.Replace(std::move(entries));
    // A play list file opened on its own starts where it was left.
    if (paths.size() == 1) {
        list_.SetCurrent(savedIndex);
    }
    Refill();
    p_.window.repaint();
    return p_.load(list_.path(list_.current()));
}

bool PlayListCommands::OpenEntry(int index) {
    if (index < 0 || index >= static_cast<int>(list_.size())) {
        return false;
    }
    const int previous = list_.current();
    list_.SetCurrent(index);
    ShowCurrent();
    p_.window.repaint();
    if (p_.load(list_.path(index))) {
        return true;
    }
    list_.SetCurrent(previous);
    ShowCurrent();
    return false;
}

void PlayListCommands::Next() {
    Step(1);
}

void PlayListCommands::Previous() {
    Step(-1);
}

void PlayListCommands::Step(int step) {
    if (!CanStep()) {
        return;
    }
    if (const std::optional<int> entry = list_.Neighbour(step, IsExistingFile)) {
        OpenEntry(*entry);
    } else {
        QApplication::beep();
    }
}

void PlayListCommands::OnSongEnded() {
    const SongEnd end = DecideSongEnd(list_, p_.settings.playerRepeat, false, IsExistingFile);
    switch (end.action) {
        case SongEnd::kReplaySong:
            p_.transport.PlayFromStart(false);
            break;
        case SongEnd::kOpenEntry:
            if (OpenEntry(end.entry)) {
                p_.transport.PlayFromStart(p_.settings.playMetronome != 0);
            }
            break;
        case SongEnd::kReplayMarked:
        case SongEnd::kStayAtStart:
            break;
    }
}

void PlayListCommands::ShowDialog() {
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    dialog_ = new CPlayList(&p_.window, list_, p_.store,
                            {[this] { AskToAdd(); }, [this] { Clear(); }, [this] { AskToSave(); },
                             [this] { AskToLoad(); }, [this](int index) { OpenEntry(index); },
                             [this](int index) { Remove(index); },
                             [this](int from, int before) { Move(from, before); }});
    dialog_->show();
}

void PlayListCommands::CloseDialog() {
    if (dialog_) {
        dialog_->close();
    }
}

void PlayListCommands::AddFiles(const QStringList& paths) {
    const bool wasEmpty = list_.empty();
    int savedIndex = 0;
    list_.Append(ExpandLists(paths, savedIndex));
    Refill();
    if (wasEmpty && !list_.empty()) {
        p_.load(list_.path(0));
    }
}

void PlayListCommands::Clear() {
    if (!p_.newDocument()) {
        return;
    }
    list_.Clear();
    Refill();
    p_.window.update();
}

bool PlayListCommands::LoadList(const QString& path) {
    const PlayListFile file = ReadPlayList(LocalPath(path));
    if (file.status != PlayListFile::kOk) {
        QApplication::beep();
        QMessageBox::warning(dialog_ ? static_cast<QWidget*>(dialog_) : &p_.window,
                             "Tavrino! Error", ReadError(file, path));
        return false;
    }
    const bool wasEmpty = list_.empty();
    list_.Append(file.paths);
    if (wasEmpty && !list_.empty()) {
        list_.SetCurrent(file.savedIndex);
        Refill();
        p_.load(list_.path(list_.current()));
    } else {
        Refill();
    }
    return true;
}

bool PlayListCommands::SaveList(const QString& path) {
    if (list_.empty()) {
        QApplication::beep();
        return false;
    }
    if (const PlayListWriteError error = WritePlayList(list_, LocalPath(path))) {
        QMessageBox::warning(dialog_ ? static_cast<QWidget*>(dialog_) : &p_.window,
                             "Tavrino! Error", QString::fromStdString(error.message));
        return false;
    }
    return true;
}

void PlayListCommands::Remove(int index) {
    if (!list_.Remove(index)) {
        return;
    }
    Refill();
    if (dialog_) {
        dialog_->SelectRow(index);
    }
}

void PlayListCommands::Move(int from, int before) {
    if (!list_.Move(from, before)) {
        return;
    }
    Refill();
    if (dialog_) {
        dialog_->SelectRow(before > from ? before - 1 : before);
    }
}

void PlayListCommands::AskToAdd() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(dialog_, "Add to the Play List", QString(), kSongFilter);
    if (!paths.isEmpty()) {
        AddFiles(paths);
    }
}

void PlayListCommands::AskToLoad() {
    const QString path =
        QFileDialog::getOpenFileName(dialog_, "Load a Play List", QString(), kListFilter);
    if (!path.isEmpty()) {
        LoadList(path);
    }
}

void PlayListCommands::AskToSave() {
    if (list_.empty()) {
        QApplication::beep();
        return;
    }
    QFileDialog dialog(dialog_, "Save the Play List", QString(), kSaveFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("lst");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SaveList(dialog.selectedFiles().front());
    }
}

std::vector<std::string> PlayListCommands::ExpandLists(const QStringList& paths, int& savedIndex) {
    std::vector<std::string> entries;
    for (const QString& path : paths) {
        if (!IsPlayListName(path)) {
            entries.push_back(LocalPath(path));
            continue;
        }
        const PlayListFile file = ReadPlayList(LocalPath(path));
        if (file.status == PlayListFile::kOk) {
            savedIndex = file.savedIndex;
            entries.insert(entries.end(), file.paths.begin(), file.paths.end());
        } else {
            QMessageBox::warning(&p_.window, "Tavrino! Error", ReadError(file, path));
        }
    }
    return entries;
}

void PlayListCommands::Refill() {
    if (dialog_) {
        dialog_->Refill();
        dialog_->repaint();
    }
    p_.listChanged();
}

void PlayListCommands::ShowCurrent() {
    if (dialog_) {
        dialog_->ShowCurrent();
        dialog_->repaint();
    }
}

}  // namespace tavrino
