#include "app/tavrino_session.h"

#include <QMetaObject>

#include "app/frame_placement.h"
#include "app/score_view_adapter.h"
#include "dialogs/track_properties.h"

namespace tavrino {

namespace {

constexpr int kMiddleC = 60;

// The monitors that come back by themselves at start-up; the harmonicas are
// opened by the user each time.
constexpr std::array<std::pair<MonitorKind, CommandId>, 3> kReopenedMonitors = {{
    {kMixerMonitor, ID_VIEW_MIXER},
    {kPianoMonitor, ID_VIEW_PIANO},
    {kLyricsMonitor, ID_VIEW_LYRICS},
}};

}  // namespace

TavrinoSession::TavrinoSession(SettingsStore& store, MidiStream& stream, OutputChoice& outputs,
                               const MonitorFactory& monitors)
    : store_(store),
      settings_(LoadSettings(store)),
      player_(stream, settings_),
      recentFiles_(store) {
    // Every start shows harmonicas in C with their default tunings.
    diatonic_.Reset(kMiddleC, nullptr, settings_);
    chromatic_.Build(kMiddleC);
    auto makeView = [this](CTavrinoDoc& doc) {
        view_ = new CTavrinoView(doc, settings_, diatonic_, chromatic_);
        view_->AttachPlayer(&player_);
        return std::make_unique<ScoreViewAdapter>(view_);
    };
    frame_ = std::make_unique<CMainFrame>(
        CMainFrame::Services{store_, settings_, player_, monitors, recentFiles_, makeView});
    QObject::connect(view_, &CTavrinoView::playTickScrolled, frame_.get(),
                     [this](std::int32_t tick) { frame_->transport().SeekTo(tick); });
    QObject::connect(view_, &CTavrinoView::monitorsReset, frame_.get(),
                     [this](bool newSong) { frame_->monitors().ResetMonitors(newSong); });
    QObject::connect(view_, &CTavrinoView::tracksChanged, frame_.get(),
                     [this] { frame_->OnTracksChanged(); });
    QObject::connect(view_, &CTavrinoView::trackHighlightToggled, frame_.get(),
                     [this] { frame_->OnHighlightsChanged(); });
    QObject::connect(
        view_, &CTavrinoView::noteRequested, frame_.get(), [this](int key, bool pressed) {
            frame_->OnMonitorNote(
                MonitorNoteEvent(key, pressed ? NoteMode::kPress : NoteMode::kRelease, 0));
        });
    QObject::connect(view_, &CTavrinoView::trackPropertiesRequested, frame_.get(),
                     [this](int trackIndex) { ShowTrackProperties(trackIndex); });
    ConnectOptionsAndPrinting(outputs);
}

void TavrinoSession::ConnectOptionsAndPrinting(OutputChoice& outputs) {
    CMainFrame& frame = *frame_;
    options_ = std::make_unique<OptionsCommands>(
        OptionsCommands::Parts{settings_, store_, player_, *view_, diatonic_, frame.monitors(),
                               outputs, frame.transport(), &frame});
    print_ = std::make_unique<PrintCommands>(
        PrintCommands::Parts{frame.doc(), settings_, player_, *view_, &frame});
    const std::pair<CommandId, std::function<void()>> commands[] = {
        {ID_OPTIONS, [this] { options_->Show(); }},
        {ID_FILE_PRINT, [this] { print_->Print(); }},
        {ID_FILE_PRINT_PREVIEW, [this] { print_->Preview(); }},
        {ID_FILE_PRINT_SETUP, [this] { print_->PageSetup(); }},
    };
    for (const auto& [id, run] : commands) {
        QObject::connect(frame.actions()[id], &QAction::triggered, &frame, [this, run = run] {
            run();
            frame_->UpdateCommands();
        });
    }
}

bool TavrinoSession::ShowTrackProperties(int trackIndex) {
    CTrackPropDlg dialog(frame_->doc(), trackIndex, player_.position.current,
                         UserPrompts::OnScreen(), frame_.get());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    // A new name or place shows in the score, the mixer and the edit toolbar.
    view_->Invalidate();
    frame_->monitors().ResetMonitors(true);
    frame_->OnTracksChanged();
    return true;
}

MonitorServices TavrinoSession::monitorServices() {
    const auto layoutChanged = [this](LayoutFamily family) {
        // Only the tablature on show is redrawn.
        if (frame_->tablatureTypeBox()->currentIndex() == static_cast<int>(family)) {
            view_->Invalidate();
        }
    };
    return {store_, settings_, frame_->doc(), diatonic_, chromatic_, layoutChanged};
}

MixerServices TavrinoSession::mixerServices() {
    return {
        frame_->doc(),
        settings_,
        [this] { return player_.IsPlaying(); },
        [this] { view_->Invalidate(); },
        [this](bool newSong) { frame_->monitors().ResetMonitors(newSong); },
        [this](int trackIndex) { return ShowTrackProperties(trackIndex); },
        UserPrompts::OnScreen(),
    };
}

bool TavrinoSession::Start(const CommandLineRequest& request) {
    if (!request.files.isEmpty() && !frame_->playList().OpenFiles(request.files)) {
        return false;
    }
    frame_->show();
    ReopenMonitors();
    frame_->setAcceptDrops(true);
    if (request.play) {
        frame_->transport().PlayCommand();
        frame_->UpdateCommands();
    }
    return true;
}

void TavrinoSession::ReopenMonitors() {
    for (const auto& [kind, command] : kReopenedMonitors) {
        if (WasMonitorOpen(store_, kind)) {
            // Once the window is up, as if the user had asked.
            QMetaObject::invokeMethod(
                frame_.get(), [this, command = command] { frame_->actions()[command]->trigger(); },
                Qt::QueuedConnection);
        }
    }
}

}  // namespace tavrino
