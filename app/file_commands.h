#pragma once

#include <QMenu>
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "app/recent_files.h"
#include "document/tavrino_doc.h"

namespace tavrino {

class FrameActions;

// The File menu's commands, the recent-file list and the listing export: how
// songs come into the document and go out to files.
class FileCommands {
public:
    FileCommands(QWidget& window, CTavrinoDoc& doc, RecentFileList& recent, FrameActions& actions);

    // Every open goes through here: the recent files, the command line, a
    // dropped file. False when the user kept the old song or reading failed.
    bool OpenDocumentFile(const QString& path);
    // Reopens the song's own file.
    bool ReopenCurrentFile();
    void New();
    void Open();
    bool Save();
    bool SaveAs();
    // Where to save a song that has no file yet; empty when cancelled.
    std::optional<std::string> AskSavePath();
    // Writes the listing of every event and opens it in the user's text
    // editor; a song without events only beeps.
    void SaveDisassembly();

    // The window title: the song's name, its mark of unsaved changes and the
    // program's name.
    void ShowTitle();

private:
    void ShowRecentFiles();

    QWidget& window_;
    CTavrinoDoc& doc_;
    RecentFileList& recent_;
    FrameActions& actions_;
    QList<QAction*> recentActions_;
};

}  // namespace tavrino
