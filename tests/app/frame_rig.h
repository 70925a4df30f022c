#pragma once

// A main window on a fake MIDI stream, a fake score view and settings in a
// temporary INI file, with a monitor class that records what it is fed.

#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "platform/qt_settings_store.h"
#include "player/fake_midi_stream.h"

namespace tavrino::test {

class FakeFrameView : public FrameView {
public:
    // Takes the keyboard, as the score does.
    FakeFrameView() { widget_->setFocusPolicy(Qt::StrongFocus); }

    QWidget* widget() override { return widget_; }
    std::int32_t FirstTick() const override { return firstTick; }
    std::int32_t LastTick() const override { return lastTick; }
    void Invalidate() override { ++invalidations; }
    void PaintPlayedNote(int eventIndex) override { playedNotes.push_back(eventIndex); }
    void PaintBendStep(int eventIndex) override { bendSteps.push_back(eventIndex); }
    void PaintPositionBand(std::int32_t tick) override { bands.push_back(tick); }
    void SetScrollRange(std::int32_t quarters) override { scrollRange = quarters; }
    void SetScrollPosition(std::int32_t quarter) override { scrollPosition = quarter; }
    void ScrollToShow(std::int32_t) override {}
    int ZoomIndex() const override { return zoomIndex; }
    void SetZoomIndex(int index) override { zoomIndex = index; }
    void SetTablatureType(int type) override { tablatureType = type; }
    void SetEditMode(bool open) override { editMode = open; }
    TabSource Tabs() const override {
        TabSource tabs;
        tabs.type = tablatureType;
        return tabs;
    }

    std::int32_t firstTick = 0;
    std::int32_t lastTick = 1'000'000;
    int invalidations = 0;
    std::vector<int> playedNotes;
    std::vector<int> bendSteps;
    std::vector<std::int32_t> bands;
    std::int32_t scrollRange = 0;
    std::int32_t scrollPosition = 0;
    int zoomIndex = 2;
    int tablatureType = 0;
    bool editMode = false;

private:
    QWidget* widget_ = new QWidget;  // the main window takes it over
};

// Keeps a log of its feed: "on 60 #5", "off 60 #6", "text #2", "reset 1".
class RecordingMonitor : public CMonitor {
public:
    RecordingMonitor(SettingsStore& store, MonitorKind kind) : CMonitor(store), kind_(kind) {}

    MonitorKind GetKind() const override { return kind_; }
    int ResetDisplay(bool newSong) override;
    void NoteOn(int key, int eventIndex, int cell) override;
    void NoteOff(int key, int eventIndex, int cell) override;
    void ShowTextEvent(int eventIndex) override;

    std::vector<std::string> log;
    std::vector<int> keysPressed;  // from the computer keyboard

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    MonitorKind kind_;
};

// Closes the next modal message box once the event loop shows it, keeping
// its caption and text.
void CloseModalBoxOnceShown(QString& caption, QString& text);

struct FrameRig {
    // `monitorKinds`: the kinds the program offers (all by default). The
    // player plays into `otherStream` if given, else into `stream`.
    explicit FrameRig(std::vector<MonitorKind> monitorKinds = {kMixerMonitor, kPianoMonitor,
                                                               kDiatonicMonitor, kChromaticMonitor,
                                                               kLyricsMonitor},
                      MidiStream* otherStream = nullptr);

    // Saves the song to a file and opens it through the window.
    bool Open(MidiSong& song, const std::string& name = "song.mid");
    QString FilePath(const std::string& name) const;
    // Plays buffers on the fake stream and lets the window handle what the
    // player posted.
    void PlayBuffers(int count);
    void HandlePosted();
    RecordingMonitor* Monitor(MonitorKind kind);

    QTemporaryDir dir;
    QtSettingsStore store;
    Settings settings;
    FakeMidiStream stream;
    Player player;
    MonitorFactory factory;
    RecentFileList recent{store};
    FakeFrameView* view = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace tavrino::test
