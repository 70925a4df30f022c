#include "app/status_panes.h"

#include <QFontMetrics>

namespace tavrino {

StatusPanes::StatusPanes(QStatusBar& bar)
    : percent_(AddPane(bar, "100%")),
      bpm_(AddPane(bar, QString(15, ' '))),
      position_(AddPane(bar, QString(20, ' '))),
      progressPane_(AddPane(bar, QString(30, ' '))) {
    percent_->setText("100%");
}

QLabel* StatusPanes::AddPane(QStatusBar& bar, const QString& sizingText) {
    auto* pane = new QLabel(&bar);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizingText) + 8);
    pane->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar.addPermanentWidget(pane);
    return pane;
}

void StatusPanes::ShowTempoPercent(int percent) {
    percent_->setText(QString::asprintf("%d%%", percent));
}

void StatusPanes::ShowBeatsPerMinute(int beatsPerMinute) {
    bpm_->setText(QString::asprintf("%4d bpm", beatsPerMinute));
}

void StatusPanes::ShowTick(std::int32_t tick) {
    position_->setText(QString::asprintf("%10d", static_cast<int>(tick)));
}

void StatusPanes::BeginProgress() {
    if (progress_ != nullptr) {
        return;
    }
    progress_ = new QProgressBar(progressPane_);
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setGeometry(progressPane_->rect());
    progress_->show();
}

void StatusPanes::SetProgress(int percent) {
    if (progress_ != nullptr) {
        progress_->setValue(percent);
    }
}

void StatusPanes::EndProgress() {
    delete progress_;
    progress_ = nullptr;
}

}  // namespace tavrino
