#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/tavrino_session.h"
#include "monitors/monitor.h"
#include "monitors/monitor_services.h"

namespace tavrino::tool {

// What every window of a snapshot works with: a session of the program
// (document, harmonica layouts, settings, main window) on a silent stream
// and in-memory settings, the song loaded through the document as the
// program loads it, and the play position.
class SnapshotScene {
public:
    // The program starts with these settings, as if read from the user's.
    explicit SnapshotScene(const Settings& settings = Settings{});
    ~SnapshotScene();

    // Loads the song as the program's Open does; false when it cannot be read
    // (nothing is shown to a user: the tool reports read problems itself).
    bool Open(const std::string& path);

    TavrinoSession& session() { return *session_; }
    MonitorServices services() { return session_->monitorServices(); }
    // The play position, when one was asked for.
    std::optional<std::int32_t> tick;
    // The track a window shows, when one was asked for.
    std::optional<int> track;

    // Feeds the monitor the song up to the play position as playback does,
    // so that the notes sounding there show pressed; nothing without one.
    void PlayUpToTick(CMonitor& monitor) const;
    // The scene keeps the windows it made until it ends.
    template <class Window>
    Window* Keep(std::unique_ptr<Window> window) {
        Window* kept = window.get();
        windows_.emplace_back(std::move(window));
        return kept;
    }

private:
    struct Silent;
    std::unique_ptr<Silent> silent_;
    std::unique_ptr<TavrinoSession> session_;
    std::vector<std::unique_ptr<QWidget>> windows_;
};

// A window the snapshot command draws.
struct SnapshotWindow {
    std::string_view name;
    std::string_view summary;  // one line for --help
    // The harmonica whose --tuning and --key the window takes.
    bool chromatic = false;
    // Makes the window in the scene, shown, and placed at the scene's tick.
    QWidget* (*make)(SnapshotScene& scene);
};

// The windows of each family; the command lists them all.
std::span<const SnapshotWindow> MonitorSnapshots();
std::span<const SnapshotWindow> LyricsSnapshots();
std::span<const SnapshotWindow> EditToolbarSnapshots();
std::span<const SnapshotWindow> MixerDialogSnapshots();
std::span<const SnapshotWindow> OptionsSnapshots();

// Renders the window into an image, as it shows on the screen.
QImage RenderWindow(QWidget& window);

}  // namespace tavrino::tool
