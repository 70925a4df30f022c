#pragma once

#include <QBrush>
#include <QWidget>
#include <array>

#include "app/mixer_levels.h"

namespace tavrino {

// The column of level meters beside the mixer's track list, one per row in
// use, showing the tracks from the list's top row on.
class MixerMeters : public QWidget {
public:
    MixerMeters(const MixerLevels& levels, QWidget* parent);

    // The rows to show: `rows` meters of `rowHeight` pixels for the tracks
    // from `top` on.
    void SetRows(int top, int rows, int rowHeight);
    int top() const { return top_; }

    // Draws the meters as the widget shows them; the benchmark paints
    // through here too.
    void Paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const MixerLevels& levels_;
    // From green through yellow to red-orange as the level rises.
    std::array<QBrush, MixerLevels::kBrushCount> brushes_;
    // A silent track's meter stays dark.
    QBrush rest_{QColor(0x20, 0x30, 0x20)};
    int top_ = 0;
    int rows_ = 0;
    int rowHeight_ = 13;
};

}  // namespace tavrino
