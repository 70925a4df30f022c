#pragma once

#include <QImage>
#include <cstdint>

#include "view/score_painter.h"

namespace tavrino {

// One screenful of score: its geometry, where drawing starts in the message
// list, and the static page painted once into an image. The image is
// repainted only when the page, zoom, size or pitch range moves or the
// owner invalidates it (song, settings or playback changed).
class ScorePage {
public:
    explicit ScorePage(int tabStaffSpace);

    void Resize(int width, int height);
    // The bars' height follows the tablature font; measured when unknown.
    void MeasureLineHeight(const QFont& tabFont);
    void ForgetLineHeight() { layout_.lineHeight = ScoreLayout::kUnknown; }
    void SetTabStaffSpace(int space);
    void SetZoom(int zoomIndex);
    void SetCentrePosition(int position);
    // Moves the window by whole ticks, not below 0.
    void ShiftWindow(std::int32_t ticks);

    // Brings the window to the play tick (turning the page near its end)
    // and, when the page moved or is stale, finds where drawing starts.
    // True when the page moved.
    bool Follow(const MidiSong& song, std::int32_t tick);
    void Invalidate() { stale_ = true; }
    // The static page, repainted first when stale.
    const QImage& Image(const ScoreScene& scene, const ScoreStyle& style, qreal pixelRatio);
    // Paints on the cached page (a played note, a bend step) without making
    // it stale.
    QImage& CachedImage() { return image_; }

    const ScoreLayout& layout() const { return layout_; }
    const ScoreWindow& window() const { return window_; }
    std::int32_t firstEventIndex() const { return firstEventIndex_; }

private:
    ScoreLayout layout_;
    ScoreWindow window_;
    std::int32_t firstEventIndex_ = -1;
    QImage image_;
    bool stale_ = true;
};

// The score of the song at the tick, as the view shows it in an area of
// that size: for the tool and for tests.
QImage RenderScore(const ScoreScene& scene, int width, int height, int zoomIndex,
                   std::int32_t tick);

}  // namespace tavrino
