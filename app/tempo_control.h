#pragma once

#include <QSlider>

#include "app/status_panes.h"
#include "document/tavrino_doc.h"
#include "player/player.h"

namespace tavrino {

// A released thumb close to 100 % lands on 100 %: the normal speed is easy to
// find again.
int SnapTempoPercent(int percent);

// The toolbar's tempo slider, 10 % to 200 % of the song's own tempo. While
// the thumb is dragged only the percent pane follows it; the speed changes
// when it is released.
class TempoControl {
public:
    TempoControl(QWidget* parent, StatusPanes& panes, Player& player);

    QSlider* slider() const { return slider_; }
    // Makes the slider's speed the song's own: rewrites its tempo events and
    // plays on at 100 %.
    void ApplyTempoChange(CTavrinoDoc& doc);
    // Shows a speed the player was given elsewhere (a practice loop's pass).
    void ShowPercent(int percent);

private:
    void Apply(int percent);
    void SetPercent(int percent);

    StatusPanes& panes_;
    Player& player_;
    QSlider* slider_;
};

}  // namespace tavrino
