#pragma once

#include <QCheckBox>
#include <QSlider>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/mixer_levels.h"
#include "app/mixer_meters.h"
#include "app/mixer_track_list.h"
#include "dialogs/user_prompts.h"
#include "document/tavrino_doc.h"
#include "document/track_mixing.h"
#include "monitors/monitor.h"
#include "settings/settings.h"
#include "view/score_style.h"

class QMenu;

namespace tavrino {

// What the mixer works with; all of it outlives the window.
struct MixerServices {
    CTavrinoDoc& doc;
    const Settings& settings;
    std::function<bool()> isPlaying;
    std::function<void()> repaintView;
    std::function<void(bool newSong)> resetMonitors;
    // Opens the track's properties; true when they were confirmed with OK.
    std::function<bool(int trackIndex)> trackProperties;
    UserPrompts prompts;
};

// The mixer: a row per track with a volume slider (the track's velocity
// percentage), a level meter fed by every note of playback and a visibility
// check box beside the list of tracks, and a context menu for muting,
// soloing, playing along, hiding and showing, track properties, deleting
// tracks and making volumes permanent. The list scrolls through any number
// of tracks; the row controls follow its top row.
class CMonMixer : public CMonitor {
public:
    static constexpr int kMaxRows = 128;

    CMonMixer(SettingsStore& store, MixerServices services);
    ~CMonMixer() override;

    MonitorKind GetKind() const override { return kMixerMonitor; }
    int ResetDisplay(bool newSong) override;
    void NoteOn(int key, int eventIndex, int cell) override;
    void NoteOff(int key, int eventIndex, int cell) override;
    // One frame of the meters, 30 a second while any moves: every third
    // lets the levels decay, and changed meters are repainted.
    void AdvanceMeters();

    // The context menu's commands, on the selected tracks.
    void MuteSelection();
    void SoloSelection();
    void ResetAllVolumes();
    void PlayAlongWith(int trackIndex);
    void HideSelection();
    void ShowSelectionOnly();
    void ShowAll();
    void ShowTrackProperties();
    void DeleteTracks();
    void ApplyVolumeChanges();
    void InvertSelection();
    // The list's selection again from the tracks' highlights, after the
    // score or the main window changed them.
    void FollowHighlights();

    MixerTrackList& trackList() { return *list_; }
    const MixerLevels& levels() const { return levels_; }
    // The menu for the list row at `row` (-1: none), enabled as it would
    // show; the caller owns it.
    std::unique_ptr<QMenu> ContextMenu(int row);
    // Row `row`'s controls, as shown now.
    QSlider& slider(int row) { return *rows_[static_cast<std::size_t>(row)].slider; }
    QCheckBox& visibleBox(int row) { return *rows_[static_cast<std::size_t>(row)].visible; }
    int RowsInUse() const { return rowsInUse_; }
    // A click on row `row`'s check box with the keyboard modifiers.
    void ClickVisibleBox(int row, Qt::KeyboardModifiers modifiers);

protected:
    int PreCreate(MonitorCreateParameters& parameters) override;
    int CreateContents() override;
    void DestroyContents() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowControls {
        QSlider* slider = nullptr;
        QCheckBox* visible = nullptr;
    };

    MidiSong& song() const { return services_.doc.song; }
    bool Loading() const { return song().loading != 0; }
    std::vector<MidiTrack*> SelectedTracks() const;
    int TrackOfEvent(int eventIndex) const;
    // The list again from the song, at its scroll position or from the top.
    void RefillList(bool keepScroll);
    // Sliders, check boxes and meters follow the tracks from the list's top.
    void RefreshControls();
    // Rows in use and the list's place for the window's size; after a new
    // song the window also takes the height its tracks need.
    void Relayout(bool resizeForSong);
    // After a command: controls refreshed, and after a change of which
    // tracks show, the score redrawn and the other monitors told.
    void AfterVolumeChange();
    void AfterVisibilityChange(bool tracksChanged);
    bool HandleListKey(const QKeyEvent& event);
    void OnSelectionChanged();
    void OnSliderReleased(int row);
    void OnVisibleFocused(int row);

    MixerServices services_;
    std::unique_ptr<ScoreStyle> style_;
    MixerLevels levels_;
    MixerTrackList* list_ = nullptr;
    MixerMeters* meters_ = nullptr;
    std::array<RowControls, kMaxRows> rows_{};
    int rowsInUse_ = 0;
    bool refilling_ = false;
    // While the mixer's own commands change the tracks, the list stays
    // scrolled where it was.
    bool keepScroll_ = false;
    // The tracks whose check boxes last had the focus, for Shift-clicks;
    // cleared whenever the tracks change.
    int focusedTrack_ = -1;
    int previousFocusedTrack_ = -1;
    // Meters repaint at most 30 times a second and decay every third frame.
    QTimer frames_;
    int framesToDecay_ = 0;
    bool metersDirty_ = false;
    std::vector<std::pair<const MidiTrack*, int>> trackIndexes_;
};

}  // namespace tavrino
