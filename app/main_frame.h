#pragma once

#include <QComboBox>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/edit_commands.h"
#include "app/edit_mode.h"
#include "app/file_commands.h"
#include "app/frame_actions.h"
#include "app/frame_view.h"
#include "app/play_list_commands.h"
#include "app/player_events.h"
#include "app/position_display.h"
#include "app/position_tracker.h"
#include "app/recent_files.h"
#include "app/status_panes.h"
#include "app/tempo_control.h"
#include "app/transport.h"
#include "document/document_host.h"
#include "document/tavrino_doc.h"
#include "monitors/monitor_factory.h"
#include "monitors/monitor_list.h"
#include "player/player.h"
#include "settings/settings.h"

namespace tavrino {

// The program's main window: menus, toolbar and status bar around the score
// view. It carries the document, hands each command to the part of its area
// (files, transport, tempo, monitors), follows the player's messages and
// answers the document's requests to the user interface.
class CMainFrame : public QMainWindow, private DocumentHost {
public:
    using ViewMaker = std::function<std::unique_ptr<FrameView>(CTavrinoDoc& doc)>;

    // What the window works with; all of it outlives the window.
    struct Services {
        SettingsStore& store;
        Settings& settings;
        Player& player;
        const MonitorFactory& monitorFactory;
        RecentFileList& recentFiles;
        ViewMaker makeView;  // called once, by the constructor
    };

    explicit CMainFrame(const Services& services);
    ~CMainFrame() override;

    CTavrinoDoc& doc() { return doc_; }
    FrameActions& actions() { return *actions_; }
    const StatusPanes& panes() const { return *panes_; }
    MonitorList& monitors() { return monitors_; }
    FileCommands& files() { return *files_; }
    PlayListCommands& playList() { return *playList_; }
    Transport& transport() { return transport_; }
    QComboBox* tablatureTypeBox() const { return tabType_; }
    EditMode& editMode() { return *editMode_; }
    // True while the edit toolbar exists.
    bool IsEditMode() const { return editMode_ != nullptr && editMode_->IsOpen(); }
    // A note of a monitor or of mouse writing: sounds it and, in edit mode,
    // writes it into the song.
    void OnMonitorNote(const MonitorNoteEvent& note);
    // The score's note menu changed the tracks.
    void OnTracksChanged();
    // The tracks' highlights changed outside the mixer: its selection follows.
    void OnHighlightsChanged();
    TempoControl& tempo() { return *tempo_; }

    // Sets each command's enabled, checked and text state from the song, the
    // player and the open monitors.
    void UpdateCommands();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectCommands();
    void Connect(CommandId id, std::function<void()> handler);
    void CreateToolbarControls();
    void OpenPlayer();
    bool HandleMessage(QEvent& event);
    // The diatonic harmonica, else the piano keyboard, plays from the keys.
    void ForwardKey(const QKeyEvent& event);
    // Escape: no marks, no highlighted tracks.
    void ClearSelection();
    void SetRepeat(int mode);
    void ToggleMetronome();
    void EditPracticeLoop();
    void ToggleMonitor(MonitorKind kind);
    void CreateTabTextTrack();

    // DocumentHost
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    SaveChangesAnswer AskSaveChanges(const std::string& prompt) override;
    bool AskYesNo(const std::string& question, const std::string& caption) override;
    std::optional<std::string> AskSavePath() override;
    void Beep() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void BeginProgress() override;
    void SetProgress(int percent) override;
    void EndProgress() override;
    void RepaintView() override;
    void SetScrollRange(std::int32_t quarters) override;
    void ScrollToShow(std::int32_t tick) override;
    void ResetMonitors(bool newSong) override;
    void ShowPosition(std::int32_t tick) override;
    void ShowTempo() override;
    void Play(bool countIn, bool ignoreBeginMark) override;
    void ShowModified(bool modified) override;
    void LeaveEditMode() override;
    void ReloadCurrentFile() override;

    // Not a copy of the Services: what the view maker captures may die with
    // the caller's constructor.
    SettingsStore& store_;
    Settings& settings_;
    Player& player_;
    std::unique_ptr<FrameActions> actions_;
    std::unique_ptr<StatusPanes> panes_;
    CTavrinoDoc doc_;
    std::unique_ptr<FrameView> view_;
    PostingNotifier notifier_;
    MonitorList monitors_;
    PositionDisplay display_;
    Transport transport_;
    PositionTracker tracker_;
    std::unique_ptr<TempoControl> tempo_;
    std::unique_ptr<PlayListCommands> playList_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<EditMode> editMode_;
    EditCommands edits_;
    QComboBox* tabType_ = nullptr;
};

}  // namespace tavrino
