#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace tavrino {

// The main window's status bar: the message pane, then the tempo percent,
// the beats per minute, the play position in ticks, and a pane that holds
// the progress bar while a file loads.
class StatusPanes {
public:
    explicit StatusPanes(QStatusBar& bar);

    void ShowTempoPercent(int percent);
    void ShowBeatsPerMinute(int beatsPerMinute);
    void ShowTick(std::int32_t tick);

    void BeginProgress();
    void SetProgress(int percent);
    void EndProgress();

    QString tempoPercentText() const { return percent_->text(); }
    QString beatsPerMinuteText() const { return bpm_->text(); }
    QString positionText() const { return position_->text(); }

private:
    QLabel* AddPane(QStatusBar& bar, const QString& sizingText);

    QLabel* percent_;
    QLabel* bpm_;
    QLabel* position_;
    QLabel* progressPane_;
    QProgressBar* progress_ = nullptr;
};

}  // namespace tavrino
