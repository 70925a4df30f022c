#pragma once

#include <QAbstractScrollArea>
#include <cstdint>
#include <memory>

#include "document/tavrino_doc.h"
#include "player/play_position.h"
#include "view/score_page.h"

namespace tavrino {

// The main window's score: the open song on one time-scaled grand staff,
// every note a coloured bar with its tablature. It follows playback: the
// main frame reports played notes, bends and the position, and the view
// turns its page when the play position nears the right edge.
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
    void SetZoomIndex(int index);
    // 0 notes, 1 diatonic, 2 chromatic tablature.
    void SetTablatureType(int type);
    // Edit mode moves sharps and flats off their naturals and shows the edit
    // cursor.
    void SetEditMode(bool open);
    // After the options changed: fonts, colours, symbols and spacing.
    void RebuildFonts();

signals:
    // The user scrolled the play position to the tick: the frame seeks the
    // player there and shows the new position.
    void playTickScrolled(std::int32_t tick);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    ScoreScene Scene() const;
    PlayState CurrentPlay() const;
    void FollowPlay();
    void OnHorizontalAction(int action);
    void OnHorizontalReleased();
    void OnVerticalValue(int value);
    void ScrollPlayTick(std::int64_t tick);

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
};

}  // namespace tavrino
