#pragma once

#include <QPainter>
#include <QStaticText>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "view/overlay_geometry.h"
#include "view/score_grid.h"
#include "view/score_scene.h"
#include "view/score_style.h"
#include "view/score_window.h"

namespace tavrino {

// A geometry rectangle as Qt takes it.
QRect ToQRect(const PixelRect& rect);

// Draws the score, or parts of it, with one painter. It only draws: every
// position comes from the geometry functions.
class ScorePainter {
public:
    ScorePainter(QPainter& painter, const ScoreStyle& style, const ScoreScene& scene,
                 const ScoreLayout& layout, const ScoreWindow& window);

    // Everything but the position band, marks and edit cursor, for the
    // window's notes from `firstEventIndex` (-1: none).
    void PaintPage(std::int32_t firstEventIndex);
    // One note bar in the played colour, clipped to the staff area; the
    // bar's rectangle, or none when the event is no playable note.
    std::optional<PixelRect> PaintPlayedNote(std::int32_t eventIndex);
    // One pitch-bend step, joined to its channel's trail.
    void PaintBendStep(std::int32_t firstEventIndex, std::int32_t eventIndex, BendTrail& trail);
    // The band above the staff up to the tick, and the selection marks.
    void PaintPositionBand(std::int32_t tick);
    void PaintEditCursor();
    // The frame around a selected note, with its stretch handle.
    void PaintTrackerFrame(const PixelRect& frame);

private:
    struct NoteFill {
        QColor colour;
        bool keep = false;  // the harmonica's colour does not replace it
    };
    // A key's tablature as the bars show it, laid out once per paint: text
    // shaping would otherwise cost more than all the drawing.
    struct NoteLabel {
        QStaticText symbol;
        QStaticText hole;
        QStaticText accidental;
        int symbolLength = 0;
        bool lowHole = false;
        std::optional<QColor> brush;
    };

    void PaintFrame();
    void PaintGrid(const BarGrid& grid);
    // Returns which notes lie above and below the staff area.
    std::pair<bool, bool> PaintNotes(std::int32_t firstEventIndex);
    // Returns the bar's rectangle.
    PixelRect PaintNote(const MidiEvent& event, NoteFill fill);
    // Draws the lines the bend's points add to the channel's trail.
    void DrawBend(int channel, const std::vector<BendPoint>& points, BendTrail& trail);
    void PaintBarNumbers(const BarGrid& grid);
    void PaintTextRow(std::int32_t firstEventIndex);
    void PaintClefs(bool notesAbove, bool notesBelow);
    void PaintKeyAndMeter(const BarGrid& grid);
    const NoteLabel& LabelOf(int key);
    NoteLabel MakeLabel(int key, int alternate) const;
    // The alternate tablature the user chose for the note, if any.
    std::optional<NoteLabel> AlternateLabelOf(const MidiEvent& note) const;
    void ClipTo(int left, int top, int right, int bottom);
    bool ShowsTrack(const MidiTrack* track) const;
    QColor TrackFill(const MidiTrack& track) const;

    QPainter& painter_;
    const ScoreStyle& style_;
    const ScoreScene& scene_;
    const ScoreLayout& layout_;
    const ScoreWindow& window_;
    std::array<std::optional<NoteLabel>, 128> labels_;
};

}  // namespace tavrino
