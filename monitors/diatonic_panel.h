#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "harmonica/key_list.h"
#include "harmonica/note_technique.h"

namespace tavrino {

// The diatonic monitor's side panel: the tuning, key and octave of the
// harmonica, which kinds of buttons show, and the statistics of the visible
// tracks. It reports the user's choices; the monitor applies them.
class DiatonicPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 195;

    explicit DiatonicPanel(QWidget* parent);

    // Shows the layout's tuning (its position in the diatonic list, -1 for
    // none of them) and key.
    void ShowSelection(int tuningPosition, KeyChoice key);
    int tuningPosition() const { return tuning_->currentIndex(); }
    KeyChoice keyChoice() const { return {key_->currentIndex(), octave_->currentIndex()}; }
    // The tuning names again, after a tuning file renamed "Custom...".
    void RefreshTuningNames();

    bool showBends() const { return showBends_->isChecked(); }
    bool showOvers() const { return showOvers_->isChecked(); }
    bool showStats() const { return showStats_->isChecked(); }

    // The statistics labels and the harmonicas that play the melody best,
    // shown only when asked for.
    void ShowStatistics(const TechniqueCounts& counts, const QString& ranking,
                        const QString& rankingTip);
    void HideStatistics();
    // The bottom of what the panel shows now.
    int ContentBottom() const;

signals:
    void tuningChosen(int position);
    void keyChosen(KeyChoice key);
    void visibilityChanged();
    void statisticsToggled();

private:
    void StepKey(int steps);

    QComboBox* tuning_;
    QComboBox* key_;
    QComboBox* octave_;
    QCheckBox* showBends_;
    QCheckBox* showOvers_;
    QCheckBox* showStats_;
    std::array<QLabel*, kNoteTechniqueCount> counts_{};
    QLabel* ranking_;
};

}  // namespace tavrino
