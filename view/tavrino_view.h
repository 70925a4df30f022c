#pragma once

#include <QAbstractScrollArea>
#include <cstdint>
#include <memory>
#include <optional>

#include "document/tavrino_doc.h"
#include "player/play_position.h"
#include "view/note_trackers.h"
#include "view/pointer_geometry.h"
#include "view/score_page.h"

namespace tavrino {

// The main window's score: the open song on one time-scaled grand staff,
// every note a coloured bar with its tablature. It follows playback: the
// main frame reports played notes, bends and the position, and the view
// turns its page when the play position nears the right edge.
//
// Clicks in the band above the staff set the selection marks; a right click
// on a note opens its menu. In edit mode a click moves the edit cursor (and
// may write a note), selects notes, and drags them in time and pitch or
// stretches them; Delete removes the selected notes.
//
// The static page is painted once into an image; played notes and bend
// steps are painted onto that image as they come, the position band and the
// marks over it on each paint.
class CTavrinoView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The settings and layouts must outlive the view.
    CTavrinoView(CTavrinoDoc& doc, const Settings& settings, const DiatonicLayout& diatonic,
                 const ChromaticLayout& chromatic, QWidget* parent = nullptr);
    ~CTavrinoView() override;

    // The player whose position the view shows; none shows tick 0, stopped.
    void AttachPlayer(const PlayPositionSource* player);

    // The song ticks the view shows.
    std::int32_t FirstTick() const;
    std::int32_t LastTick() const;
    // Repaints everything on the next paint; the view turns its page then.
    void Invalidate();
    // Paints in the played colour the note, or the pitch-bend step, of the
    // event with this index in the song's message list.
    void PaintPlayedNote(int eventIndex);
    void PaintBendStep(int eventIndex);
    // Shows the band (and the marks) up to the tick; -1 is the play tick.
    void PaintPositionBand(std::int32_t tick);

    // The horizontal scroll bar counts quarter notes.
    void SetScrollRange(std::int32_t quarters);
    void SetScrollPosition(std::int32_t quarter);
    // Scrolls so that the tick is in sight.
    void ScrollToShow(std::int32_t tick);

    // Zoom index 0 (50 %) to 4 (200 %).
    int ZoomIndex() const;
    // The staff position drawn at the middle.
    int CentrePosition() const { return page_.window().centrePosition; }
    void SetZoomIndex(int index);
    // 0 notes, 1 diatonic, 2 chromatic tablature.
    void SetTablatureType(int type);
    // The tablature the notes carry.
    TabSource Tabs() const;
    // Edit mode moves sharps and flats off their naturals and shows the edit
    // cursor; leaving it drops the selected notes.
    void SetEditMode(bool open);
    bool EditMode() const { return editMode_; }
    // The notes selected in edit mode.
    const NoteTrackers& Trackers() const { return trackers_; }
    // Where the note's bar lies in the viewport now.
    PixelRect NoteBarOf(const MidiEvent& note) const;
    // After the options changed: fonts, colours, symbols and spacing.
    void RebuildFonts();

signals:
    // The user scrolled the play position to the tick: the frame seeks the
    // player there and shows the new position.
    void playTickScrolled(std::int32_t tick);
    // The marks, the visible tracks or the track list changed; `newSong` when
    // tracks went.
    void monitorsReset(bool newSong);
    // Mouse writing: a key pressed, and released again.
    void noteRequested(int key, bool pressed);
    void trackPropertiesRequested(int trackIndex);
    // The track's highlight was toggled from its note's menu.
    void trackHighlightToggled(int trackIndex);
    // Tracks were hidden, shown or deleted from a note's menu.
    void tracksChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Keys belong to the main window (Space plays, the monitors play notes):
    // the scroll area's own arrow and page keys would move the play position.
    void keyPressEvent(QKeyEvent* event) override;

private:
    ScoreScene Scene() const;
    PlayState CurrentPlay() const;
    void FollowPlay();
    void OnHorizontalAction(int action);
    void OnHorizontalReleased();
    void OnVerticalValue(int value);
    void ScrollPlayTick(std::int64_t tick);

    // Mouse and keyboard.
    struct TrackerHold {
        std::size_t index = 0;
        TrackerGrip grip = TrackerGrip::kNone;
        QPoint origin;
        SelectionBounds bounds;
    };
    bool OffsetAccidentals() const;
    std::optional<NoteHit> NoteUnder(int x, int y) const;
    void LeftButtonDown(QPoint point, Qt::KeyboardModifiers keys);
    void RightButtonDown(QPoint point, Qt::KeyboardModifiers keys, QPoint screenPoint);
    // Marks set by a click in the band, or cleared below the staff.
    void ClickMarks(QPoint point, Qt::KeyboardModifiers keys, bool endMark);
    // Selects the note under the pointer, or moves the edit cursor there.
    void EditClick(QPoint point, Qt::KeyboardModifiers keys);
    void HoldTracker(std::size_t index, TrackerGrip grip, QPoint origin);
    void ShowNoteMenu(MidiEvent& note, QPoint screenPoint);
    void RunNoteCommand(int command, MidiEvent& note);
    void DeleteSelectedNotes();
    void UpdatePointerShape(QPoint point);

    CTavrinoDoc& doc_;
    const Settings& settings_;
    const DiatonicLayout& diatonic_;
    const ChromaticLayout& chromatic_;
    const PlayPositionSource* player_ = nullptr;
    std::unique_ptr<ScoreStyle> style_;
    ScorePage page_;
    int tablatureType_ = kTablatureNotes;
    bool editMode_ = false;
    std::int32_t scrolledTick_ = 0;  // the play tick without a player
    std::int32_t bandTick_ = -1;
    BendTrail bendTrail_;
    NoteTrackers trackers_;
    std::optional<TrackerHold> hold_;
    std::optional<int> writtenKey_;  // a key mouse writing holds down
};

}  // namespace tavrino
