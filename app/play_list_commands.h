#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "app/play_list_dialog.h"
#include "player/play_list.h"
#include "settings/settings.h"

namespace tavrino {

class Transport;

// The play list and the commands that walk it: every open of a song comes
// through here, so the list and its window stay in step with the song that
// is open. Next, Previous and the end of a song open their entry; any other
// open replaces the list.
class PlayListCommands {
public:
    struct Parts {
        QWidget& window;  // owns the dialogs
        SettingsStore& store;
        const Settings& settings;
        Transport& transport;
        // Loads a song into the document; false when it was not opened.
        std::function<bool(const std::string& path)> load;
        // Starts a new empty document; false when the user kept the song.
        std::function<bool()> newDocument;
        // The list changed: Next and Previous may have come or gone.
        std::function<void()> listChanged;
    };

    explicit PlayListCommands(const Parts& parts);
    ~PlayListCommands();

    const PlayList& list() const { return list_; }
    CPlayList* dialog() const { return dialog_; }

    // The list becomes these files (play list files among them are read in
    // their place) and the first one is opened.
    bool OpenFiles(const QStringList& paths);
    // Opens an entry of the list, which then becomes the current one; if the
    // open fails the entry that was current stays so.
    bool OpenEntry(int index);
    bool CanStep() const { return list_.size() >= 2; }
    void Next();
    void Previous();
    // After the transport's part of the end of a song: the repeat mode and
    // the list decide what plays next.
    void OnSongEnded();

    // The PlayList command: shows the window, or gives it the focus.
    void ShowDialog();
    void CloseDialog();

    // The window's buttons and keys.
    void AddFiles(const QStringList& paths);
    void Clear();
    // False, after telling the user, when the file is no play list.
    bool LoadList(const QString& path);
    bool SaveList(const QString& path);
    void Remove(int index);
    void Move(int from, int before);

private:
    void Step(int step);
    void AskToAdd();
    void AskToLoad();
    void AskToSave();
    // Reads play list files in the place of their names; `savedIndex` is
    // the current index the last of them was saved with.
    std::vector<std::string> ExpandLists(const QStringList& paths, int& savedIndex);
    void Refill();
    void ShowCurrent();

    Parts p_;
    PlayList list_;
    QPointer<CPlayList> dialog_;
};

// Whether the file's name marks it as a play list rather than a song.
bool IsPlayListName(const QString& path);

}  // namespace tavrino
