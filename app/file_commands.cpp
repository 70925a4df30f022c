#include "app/file_commands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "app/frame_actions.h"
#include "app/message_box.h"
#include "app/play_list_commands.h"
#include "song/midi_listing.h"

namespace tavrino {

namespace {

constexpr const char* kMidiFilter = "Midi Files (*.mid *.kar);;All Files (*)";

}  // namespace

FileCommands::FileCommands(QWidget& window, CTavrinoDoc& doc, RecentFileList& recent,
                           FrameActions& actions, PlayListCommands& playList)
    : window_(window), doc_(doc), recent_(recent), actions_(actions), playList_(playList) {
    ShowRecentFiles();
}

bool FileCommands::OpenDocumentFile(const QString& path) {
    return playList_.OpenFiles({path});
}

bool FileCommands::LoadDocument(const std::string& localPath) {
    if (!doc_.SaveModified()) {
        return false;
    }
    window_.repaint();
    const bool opened = doc_.OnOpenDocument(localPath) == 0;
    const QString path = QFile::decodeName(QByteArray::fromStdString(localPath));
    if (opened) {
        recent_.Add(path);
    } else {
        recent_.Remove(path);
    }
    ShowRecentFiles();
    ShowTitle();
    return opened;
}

bool FileCommands::ReopenCurrentFile() {
    return !doc_.pathName.empty() && LoadDocument(doc_.pathName);
}

bool FileCommands::New() {
    if (!doc_.SaveModified()) {
        return false;
    }
    doc_.OnNewDocument();
    ShowTitle();
    return true;
}

void FileCommands::Open() {
    const QStringList paths =
        QFileDialog::getOpenFileNames(&window_, "Open", QString(), kMidiFilter);
    if (!paths.isEmpty()) {
        playList_.OpenFiles(paths);
    }
}

bool FileCommands::Save() {
    const bool saved = doc_.pathName.empty() ? SaveAs() : doc_.OnSaveDocument(doc_.pathName);
    ShowTitle();
    return saved;
}

bool FileCommands::SaveAs() {
    const std::optional<std::string> path = AskSavePath();
    if (!path || !doc_.OnSaveDocument(*path)) {
        return false;
    }
    recent_.Add(QString::fromStdString(*path));
    ShowRecentFiles();
    ShowTitle();
    return true;
}

std::optional<std::string> FileCommands::AskSavePath() {
    QFileDialog dialog(&window_, "Save As", QString::fromStdString(doc_.pathName), kMidiFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("mid");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

void FileCommands::SaveDisassembly() {
    if (doc_.song.messages.empty()) {
        QApplication::beep();
        return;
    }
    QFileDialog dialog(&window_, "Save Disassembled File", QString(), "Text Files (*.txt)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().front();
    if (WriteListing(doc_.song, path.toStdString()) != 0) {
        ShowMessageBox(&window_, QMessageBox::Warning, "Tavrino! Error", "Error writing file");
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        ShowMessageBox(&window_, QMessageBox::Warning, "Tavrino! Error",
                       QString("The listing is saved in %1,\nbut no program could be started "
                               "to show it.")
                           .arg(QDir::toNativeSeparators(path)));
    }
}

QString DocumentTitle(const CTavrinoDoc& doc) {
    return doc.pathName.empty() ? QString("Untitled")
                                : QFileInfo(QString::fromStdString(doc.pathName)).fileName();
}

void FileCommands::ShowTitle() {
    window_.setWindowTitle(DocumentTitle(doc_) + "[*] - Tavrino");
    window_.setWindowModified(doc_.IsModified());
}

void FileCommands::ShowRecentFiles() {
    QMenu* menu = actions_.fileMenu();
    // An entry may be the one whose command is running now.
    for (QAction* old : std::exchange(recentActions_, {})) {
        menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList& files = recent_.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), menu);
        action->setToolTip(path);
        QObject::connect(action, &QAction::triggered, menu,
                         [this, path] { OpenDocumentFile(path); });
        menu->insertAction(actions_.exitSeparator(), action);
        recentActions_.append(action);
    }
    if (!files.isEmpty()) {
        recentActions_.append(menu->insertSeparator(actions_.exitSeparator()));
    }
}

}  // namespace tavrino
