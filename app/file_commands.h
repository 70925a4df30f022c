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
class PlayListCommands;

// The song's name as the window title and printed pages show it.
QString DocumentTitle(const CTavrinoDoc& doc);

// The File menu's commands, the recent-file list and the listing export: how
// songs come into the document and go out to files.
class FileCommands {
public:
    FileCommands(QWidget& window, CTavrinoDoc& doc, RecentFileList& recent, FrameActions& actions,
                 PlayListCommands& playList);

    // Opens one file (a song, or a play list file) as the whole play list:
    // the recent files, the command line, a dropped file.
    bool OpenDocumentFile(const QString& path);
    // Loads a song into the document; the play list opens its entries with
    // this. False when the user kept the old song or reading failed.
    bool LoadDocument(const std::string& path);
    // Reopens the song's own file.
    bool ReopenCurrentFile();
    // False when the user kept the song.
    bool New();
    // Asks for one or more songs, which become the play list.
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
    PlayListCommands& playList_;
    QList<QAction*> recentActions_;
};

}  // namespace tavrino
