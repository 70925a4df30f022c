#include "app/tavrino_session.h"

#include <QMetaObject>

#include "app/frame_placement.h"
#include "app/score_view_adapter.h"

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

TavrinoSession::TavrinoSession(SettingsStore& store, MidiStream& stream,
                               const MonitorFactory& monitors)
    : store_(store),
      settings_(LoadSettings(store)),
      player_(stream, settings_),
      recentFiles_(store) {
    // Every start shows harmonicas in C with their default tunings.
    diatonic_.Reset(kMiddleC, nullptr, settings_);
    chromatic_.Build(kMiddleC);
    CTavrinoView* view = nullptr;
    auto makeView = [this, &view](CTavrinoDoc& doc) {
        view = new CTavrinoView(doc, settings_, diatonic_, chromatic_);
        view->AttachPlayer(&player_);
        return std::make_unique<ScoreViewAdapter>(view);
    };
    frame_ = std::make_unique<CMainFrame>(
        CMainFrame::Services{store_, settings_, player_, monitors, recentFiles_, makeView});
    QObject::connect(view, &CTavrinoView::playTickScrolled, frame_.get(),
                     [this](std::int32_t tick) { frame_->transport().SeekTo(tick); });
    QObject::connect(view, &CTavrinoView::monitorsReset, frame_.get(),
                     [this](bool newSong) { frame_->monitors().ResetMonitors(newSong); });
    QObject::connect(view, &CTavrinoView::tracksChanged, frame_.get(),
                     [this] { frame_->OnTracksChanged(); });
    QObject::connect(
        view, &CTavrinoView::noteRequested, frame_.get(), [this](int key, bool pressed) {
            frame_->OnMonitorNote(
                MonitorNoteEvent(key, pressed ? NoteMode::kPress : NoteMode::kRelease, 0));
        });
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
