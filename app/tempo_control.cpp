#include "app/tempo_control.h"

#include <QSignalBlocker>

namespace tavrino {

namespace {

constexpr int kNormalSpeed = 100;

}  // namespace

int SnapTempoPercent(int percent) {
    return percent >= 96 && percent <= 104 ? kNormalSpeed : percent;
}

TempoControl::TempoControl(QWidget* parent, StatusPanes& panes, Player& player)
    : panes_(panes), player_(player), slider_(new QSlider(Qt::Horizontal, parent)) {
    slider_->setRange(kLeastTempoPercent, kMostTempoPercent);
    slider_->setPageStep(10);
    slider_->setValue(kNormalSpeed);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(50);
    slider_->setFixedWidth(75);
    slider_->setToolTip("Tempo");
    // Only a released thumb or a keyboard step changes the value.
    slider_->setTracking(false);
    QObject::connect(slider_, &QSlider::sliderMoved, slider_,
                     [this](int position) { panes_.ShowTempoPercent(position); });
    // The slider takes its position as its value right after this signal.
    QObject::connect(slider_, &QSlider::sliderReleased, slider_, [this] {
        slider_->setSliderPosition(SnapTempoPercent(slider_->sliderPosition()));
        panes_.ShowTempoPercent(slider_->sliderPosition());
    });
    QObject::connect(slider_, &QSlider::valueChanged, slider_, [this](int value) { Apply(value); });
}

void TempoControl::Apply(int percent) {
    panes_.ShowTempoPercent(percent);
    panes_.ShowBeatsPerMinute(player_.TempoPercent(percent));
}

void TempoControl::ApplyTempoChange(CTavrinoDoc& doc) {
    if (player_.IsPlaying() || player_.TempoPercent() == kNormalSpeed) {
        return;
    }
    doc.ApplyTempoPercent();
    player_.TempoPercent(kNormalSpeed);
    player_.SetTempo(doc.song.TempoAt(player_.position.current));
    SetPercent(kNormalSpeed);
    panes_.ShowTempoPercent(kNormalSpeed);
}

void TempoControl::ShowPercent(int percent) {
    SetPercent(percent);
    panes_.ShowTempoPercent(percent);
}

void TempoControl::SetPercent(int percent) {
    const QSignalBlocker blocker(slider_);
    slider_->setValue(percent);
}

}  // namespace tavrino
