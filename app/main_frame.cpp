#include "app/main_frame.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <algorithm>

#include "app/about_box.h"
#include "app/frame_placement.h"
#include "app/menu_keys.h"
#include "app/message_box.h"
#include "app/mon_mixer.h"
#include "app/monitor_notes.h"
#include "app/practice_loop_dialog.h"
#include "monitors/mon_lyrics.h"
#include "view/tab_track_notation.h"

namespace tavrino {

namespace {

constexpr std::array<std::pair<CommandId, MonitorKind>, 5> kMonitorCommands = {{
    {ID_VIEW_MIXER, kMixerMonitor},
    {ID_VIEW_PIANO, kPianoMonitor},
    {ID_VIEW_LYRICS, kLyricsMonitor},
    {ID_VIEW_DIATONIC, kDiatonicMonitor},
    {ID_VIEW_CHROMATIC, kChromaticMonitor},
}};

// The zoom commands from the smallest time scale to the largest.
constexpr std::array<CommandId, 5> kZoomCommands = {ID_ZOOM_50, ID_ZOOM_75, ID_ZOOM_100,
                                                    ID_ZOOM_150, ID_ZOOM_200};

constexpr std::array<CommandId, 3> kRepeatCommands = {ID_REPEAT_NONE, ID_REPEAT_ONE, ID_REPEAT_ALL};

struct TransposeCommand {
    CommandId id;
    int semitones;
    bool wholeSong;
};
constexpr std::array<TransposeCommand, 6> kTransposeCommands = {{
    {ID_TRANSPOSE_HALF_UP, 1, true},
    {ID_TRANSPOSE_HALF_DOWN, -1, true},
    {ID_TRANSPOSE_OCTAVE_UP, 12, true},
    {ID_TRANSPOSE_OCTAVE_DOWN, -12, true},
    {ID_TRANSPOSE_TRACKS_UP, 12, false},
    {ID_TRANSPOSE_TRACKS_DOWN, -12, false},
}};

}  // namespace

CMainFrame::CMainFrame(const Services& services)
    : store_(services.store),
      settings_(services.settings),
      player_(services.player),
      actions_(std::make_unique<FrameActions>(*this)),
      panes_(std::make_unique<StatusPanes>(*statusBar())),
      doc_(*this, services.player),
      view_(services.makeView(doc_)),
      notifier_(this),
      monitors_(services.monitorFactory),
      display_(*panes_, *view_, player_, doc_.song),
      transport_({player_, doc_, monitors_, *view_, display_, settings_, *this,
                  [this] { return IsEditMode(); }}),
      tracker_({player_, doc_, monitors_, *view_, display_, transport_, settings_, *this}),
      tempo_(std::make_unique<TempoControl>(this, *panes_, player_)),
      playList_(std::make_unique<PlayListCommands>(PlayListCommands::Parts{
          *this, store_, settings_, transport_,
          [this](const std::string& path) { return files_->LoadDocument(path); },
          [this] { return files_->New(); }, [this] { UpdateCommands(); }})),
      files_(
          std::make_unique<FileCommands>(*this, doc_, services.recentFiles, *actions_, *playList_)),
      editMode_(std::make_unique<EditMode>(EditMode::Parts{doc_, *view_, player_, store_, *this},
                                           [this] {
                                               view_->Invalidate();
                                               UpdateCommands();
                                           })),
      edits_(*this, doc_, player_) {
    setCentralWidget(view_->widget());
    CreateToolbarControls();
    ConnectCommands();
    EnableMenuKeys(*this);
    view_->widget()->setFocus();
    resize(1000, 700);
    RestoreFramePlacement(*this, store_);
    OpenPlayer();
    files_->ShowTitle();
    ShowPosition(0);
    UpdateCommands();
}

CMainFrame::~CMainFrame() {
    editMode_.reset();
    player_.Stop(false);
    player_.Close();
    player_.Shutdown();
    // The view reads the document: it goes first.
    delete takeCentralWidget();
}

void CMainFrame::OpenPlayer() {
    if (player_.Init(doc_.song, notifier_) != Player::kOk || player_.Open() != Player::kOk) {
        // Once the window is up: the program runs on without sound, and a
        // later Play tries the device again.
        QMetaObject::invokeMethod(
            this,
            [this] {
                ShowMessageBox(this, QMessageBox::Critical, "Tavrino! Warning",
                               "Cannot open MIDI device");
            },
            Qt::QueuedConnection);
    }
    ShowTempo();
}

void CMainFrame::CreateToolbarControls() {
    actions_->SetToolbarWidget(ID_TEMPO_SLIDER, tempo_->slider());
    tabType_ = new QComboBox(this);
    tabType_->addItems({"Notes", "Diatonic", "Chromatic"});
    tabType_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    tabType_->setToolTip("Tablature");
    tabType_->setCurrentIndex(settings_.tablatureType);
    view_->SetTablatureType(settings_.tablatureType);
    connect(tabType_, &QComboBox::activated, this, [this](int index) {
        view_->SetTablatureType(index);
        settings_.tablatureType = index;
        SaveSettings(store_, settings_, kPlayGroup);
    });
    actions_->SetToolbarWidget(ID_TAB_TYPE, tabType_);
    // The score keeps the keyboard after a choice in the toolbar: Space
    // plays, it does not open the box.
    for (QWidget* control :
         {static_cast<QWidget*>(tabType_), static_cast<QWidget*>(tempo_->slider())}) {
        control->setFocusPolicy(Qt::NoFocus);
    }
}

void CMainFrame::Connect(CommandId id, std::function<void()> handler) {
    connect((*actions_)[id], &QAction::triggered, this, [this, handler = std::move(handler)] {
        handler();
        UpdateCommands();
    });
}

void CMainFrame::ConnectCommands() {
    Connect(ID_FILE_NEW, [this] { files_->New(); });
    Connect(ID_FILE_OPEN, [this] { files_->Open(); });
    Connect(ID_FILE_RELOAD, [this] { doc_.OnReload(); });
    Connect(ID_FILE_SAVE, [this] { files_->Save(); });
    Connect(ID_FILE_SAVE_AS, [this] { files_->SaveAs(); });
    Connect(ID_APP_EXIT, [this] { close(); });
    Connect(ID_EDIT_UNDO, [this] { doc_.OnEditUndo(); });
    Connect(ID_EDIT_CROP, [this] { doc_.OnCrop(); });
    Connect(ID_EDIT_MODE, [this] { editMode_->Toggle(); });
    Connect(ID_EDIT_BEGIN_MARK, [this] { edits_.EnterBeginMark(); });
    Connect(ID_EDIT_END_MARK, [this] { edits_.EnterEndMark(); });
    Connect(ID_FILE_PROPERTIES, [this] { edits_.ShowFileProperties(); });
    for (const auto& [id, kind] : kMonitorCommands) {
        Connect(id, [this, kind = kind] { ToggleMonitor(kind); });
    }
    for (std::size_t i = 0; i < kZoomCommands.size(); ++i) {
        Connect(kZoomCommands[i], [this, i] { view_->SetZoomIndex(static_cast<int>(i)); });
    }
    Connect(ID_PLAYER_PLAY, [this] { transport_.PlayCommand(); });
    Connect(ID_PLAYER_STOP, [this] { transport_.Stop(); });
    Connect(ID_PLAYER_REWIND, [this] { transport_.Rewind(); });
    Connect(ID_PLAYER_NEXT, [this] { playList_->Next(); });
    Connect(ID_PLAYER_PREVIOUS, [this] { playList_->Previous(); });
    Connect(ID_VIEW_PLAYLIST, [this] { playList_->ShowDialog(); });
    for (std::size_t mode = 0; mode < kRepeatCommands.size(); ++mode) {
        Connect(kRepeatCommands[mode], [this, mode] { SetRepeat(static_cast<int>(mode)); });
    }
    Connect(ID_METRONOME, [this] { ToggleMetronome(); });
    Connect(ID_PRACTICE_LOOP, [this] { EditPracticeLoop(); });
    for (const TransposeCommand& command : kTransposeCommands) {
        Connect(command.id,
                [this, command] { transport_.Transpose(command.semitones, command.wholeSong); });
    }
    Connect(ID_APPLY_TEMPO, [this] { tempo_->ApplyTempoChange(doc_); });
    Connect(ID_TAB_TEXT_TRACK, [this] { CreateTabTextTrack(); });
    Connect(ID_SAVE_DISASSEMBLY, [this] { files_->SaveDisassembly(); });
    Connect(ID_APP_ABOUT, [this] { AboutBox(this).exec(); });
    actions_->OnMenuShown(this, &CMainFrame::UpdateCommands);
}

void CMainFrame::UpdateCommands() {
    const FrameActions& a = *actions_;
    const bool playing = player_.IsPlaying();
    const bool hasTracks = doc_.HasTracks();
    for (const CommandId id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                               ID_APP_EXIT, ID_PLAYER_PLAY, ID_PLAYER_STOP, ID_PLAYER_REWIND,
                               ID_METRONOME, ID_APP_ABOUT, ID_VIEW_PLAYLIST, ID_PRACTICE_LOOP}) {
        a[id]->setEnabled(true);
    }
    a[ID_PLAYER_NEXT]->setEnabled(playList_->CanStep());
    a[ID_PLAYER_PREVIOUS]->setEnabled(playList_->CanStep());
    a[ID_FILE_RELOAD]->setEnabled(hasTracks);
    const MenuItemState undo = doc_.UndoMenuItem();
    a[ID_EDIT_UNDO]->setText(QString::fromStdString(undo.text));
    a[ID_EDIT_UNDO]->setEnabled(undo.enabled);
    a[ID_EDIT_CROP]->setEnabled(doc_.CanCrop());
    a[ID_EDIT_MODE]->setEnabled(true);
    a[ID_EDIT_MODE]->setChecked(IsEditMode());
    a[ID_EDIT_MODE]->setText(IsEditMode() ? "&Quit Edit Mode\tAlt+E"
                                          : "&Switch to Edit Mode\tAlt+E");
    a[ID_EDIT_BEGIN_MARK]->setEnabled(hasTracks);
    a[ID_EDIT_END_MARK]->setEnabled(hasTracks);
    a[ID_FILE_PROPERTIES]->setEnabled(hasTracks);
    for (const auto& [id, kind] : kMonitorCommands) {
        a[id]->setEnabled(monitors_.CanOpen(kind));
        a[id]->setChecked(monitors_.IsOpen(kind));
    }
    for (std::size_t i = 0; i < kZoomCommands.size(); ++i) {
        a[kZoomCommands[i]]->setEnabled(true);
        a[kZoomCommands[i]]->setChecked(view_->ZoomIndex() == static_cast<int>(i));
    }
    for (std::size_t mode = 0; mode < kRepeatCommands.size(); ++mode) {
        a[kRepeatCommands[mode]]->setEnabled(true);
        a[kRepeatCommands[mode]]->setChecked(settings_.playerRepeat == static_cast<int>(mode));
    }
    a[ID_METRONOME]->setChecked(settings_.playMetronome != 0);
    for (const TransposeCommand& command : kTransposeCommands) {
        a[command.id]->setEnabled(true);
    }
    a[ID_APPLY_TEMPO]->setEnabled(!playing && player_.TempoPercent() != 100);
    a[ID_SAVE_DISASSEMBLY]->setEnabled(!playing && hasTracks);
    a[ID_TAB_TEXT_TRACK]->setEnabled(doc_.CanCreateTabTextTrack());
    a[ID_OPTIONS]->setEnabled(true);
    a[ID_FILE_PRINT]->setEnabled(hasTracks);
    a[ID_FILE_PRINT_PREVIEW]->setEnabled(hasTracks);
    a[ID_FILE_PRINT_SETUP]->setEnabled(true);
}

void CMainFrame::SetRepeat(int mode) {
    settings_.playerRepeat = mode;
    SaveSettings(store_, settings_, kPlayGroup);
}

void CMainFrame::ToggleMetronome() {
    settings_.playMetronome = settings_.playMetronome != 0 ? 0 : 1;
    SaveSettings(store_, settings_, kPlayGroup);
}

void CMainFrame::EditPracticeLoop() {
    PracticeLoopDialog dialog(settings_, this);
    if (dialog.exec() == QDialog::Accepted) {
        dialog.Apply(settings_);
        SaveSettings(store_, settings_, kPracticeLoopGroup);
    }
}

void CMainFrame::ToggleMonitor(MonitorKind kind) {
    monitors_.Toggle(kind, this, store_);
}

void CMainFrame::CreateTabTextTrack() {
    const int track = doc_.OnTabTextTrack(MakeTabTrackNotation(view_->Tabs()));
    if (track < 0) {
        return;
    }
    if (auto* lyrics = dynamic_cast<CMonLyrics*>(monitors_.Find(kLyricsMonitor))) {
        lyrics->ShowTrack(track);
    }
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() >= QEvent::User && HandleMessage(*event)) {
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::HandleMessage(QEvent& event) {
    const int message = event.type() - QEvent::User;
    switch (message) {
        case WM_PLAYER_POSITION:
            tracker_.OnPosition(
                static_cast<std::uint32_t>(static_cast<PlayerEvent&>(event).lParam));
            return true;  // the commands' states stay as they are while playing
        case WM_PLAYER_ENDED:
            if (!transport_.OnPlayerEnded()) {
                playList_->OnSongEnded();
            }
            break;
        case WM_PLAYER_TEMPO:
            ShowTempo();
            break;
        case WM_MONITOR_NOTE:
            OnMonitorNote(static_cast<MonitorNoteEvent&>(event));
            return true;
        case WM_MONITOR_CLOSED:
            monitors_.Remove(static_cast<MonitorClosedEvent&>(event).monitor);
            break;
        default:
            return false;
    }
    UpdateCommands();
    return true;
}

void CMainFrame::OnMonitorNote(const MonitorNoteEvent& note) {
    SoundMonitorNote(player_, note, *this);
    if (!IsEditMode()) {
        return;
    }
    if (player_.IsPlaying()) {
        // Written where the music stands, held for as long as the key is.
        doc_.editCursor = static_cast<std::int32_t>(
            std::max<std::int64_t>(player_.Position() - player_.position.offset, 0));
        doc_.WriteNote(note.key, static_cast<NoteWriteType>(note.mode));
    } else if (note.mode != NoteMode::kRelease) {
        doc_.WriteNote(note.key, kStepEntry);
    }
}

void CMainFrame::OnTracksChanged() {
    editMode_->RefreshTracks();
}

void CMainFrame::OnHighlightsChanged() {
    if (auto* mixer = dynamic_cast<CMonMixer*>(monitors_.Find(kMixerMonitor))) {
        mixer->FollowHighlights();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!doc_.SaveModified()) {
        event->ignore();
        return;
    }
    SaveFramePlacement(*this, monitors_, store_);
    monitors_.CloseAll();
    playList_->CloseDialog();
    event->accept();
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    ForwardKey(*event);
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        transport_.PlayOrStop();
        UpdateCommands();
    } else if (event->key() == Qt::Key_Escape) {
        ClearSelection();
        UpdateCommands();
    }
    QMainWindow::keyPressEvent(event);
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event) {
    ForwardKey(*event);
    QMainWindow::keyReleaseEvent(event);
}

void CMainFrame::ForwardKey(const QKeyEvent& event) {
    if (CMonitor* monitor = monitors_.KeyboardMonitor()) {
        const std::unique_ptr<QEvent> copy(event.clone());
        QCoreApplication::sendEvent(monitor, copy.get());
    }
}

void CMainFrame::ClearSelection() {
    if (doc_.beginMark != kNoMark || doc_.endMark != kNoMark) {
        doc_.beginMark = kNoMark;
        doc_.endMark = kNoMark;
        monitors_.ResetMonitors(false);
    }
    for (const auto& track : doc_.song.tracks) {
        track->flags &= ~MidiTrack::kHighlighted;
    }
    OnHighlightsChanged();
    view_->Invalidate();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        playList_->OpenFiles(paths);
        UpdateCommands();
    }
}

}  // namespace tavrino
