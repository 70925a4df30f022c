#include "monitors/diatonic_panel.h"

#include "harmonica/tunings.h"
#include "monitors/tuning_choice.h"

namespace tavrino {

namespace {

constexpr std::array<const char*, kNoteTechniqueCount> kCountCaptions = {
    "Blow notes:", "Draw notes:", "Bend notes:", "Overblows :", "Overdraws :", "Unavailable:"};
constexpr int kFirstCountTop = 96;
constexpr int kCountPitch = 16;
constexpr int kRankingTop = kFirstCountTop + kCountPitch * kNoteTechniqueCount + 4;
constexpr int kRankingHeight = 64;

QComboBox* Selector(QWidget* parent, const QRect& place, const char* tip) {
    auto* box = new QComboBox(parent);
    box->setGeometry(place);
    box->setFont(ArialFont(12));
    box->setToolTip(tip);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QCheckBox* Check(QWidget* parent, const char* text, int top, bool checked, const char* tip) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(2, top, 140, 16);
    box->setFont(ArialFont(12));
    box->setChecked(checked);
    box->setToolTip(tip);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QPushButton* FifthButton(QWidget* parent, const char* text, int left, const char* tip) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(left, 25, 40, 21);
    button->setFont(ArialFont(12));
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

DiatonicPanel::DiatonicPanel(QWidget* parent)
    : QWidget(parent),
      tuning_(Selector(this, {2, 2, 190, 21}, "Select harmonica tuning")),
      key_(Selector(this, {2, 25, 46, 21}, "Select harmonica key")),
      octave_(Selector(this, {50, 25, 56, 21}, "Select harmonica octave (low/normal/high)")),
      showBends_(Check(this, "show bends", 50, true, "Display available bends")),
      showOvers_(Check(this, "overblows/valved", 66, false,
                       "Display available overbends or valved bends for valved holes")),
      showStats_(Check(this, "show stats", 82, false,
                       "Display bends count for currently selected tracks")),
      ranking_(new QLabel(this)) {
    setGeometry(0, 0, kWidth, kRankingTop + kRankingHeight);
    RefreshTuningNames();
    for (int position = 0; position < 12; ++position) {
        key_->addItem(FromView(kDiatonicKeys.Name(position)));
    }
    for (const std::string_view name : kOctaveNames) {
        octave_->addItem(FromView(name));
    }
    for (int n = 0; n < kNoteTechniqueCount; ++n) {
        auto* label = new QLabel(this);
        label->setGeometry(20, kFirstCountTop + kCountPitch * n, 115, kCountPitch);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFont(ArialFont(12));
        label->hide();
        counts_[n] = label;
    }
    ranking_->setGeometry(4, kRankingTop, kWidth - 60, kRankingHeight);
    ranking_->setFont(ArialFont(11));
    ranking_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ranking_->setTextFormat(Qt::RichText);
    ranking_->hide();
    connect(tuning_, &QComboBox::activated, this, &DiatonicPanel::tuningChosen);
    const auto chooseKey = [this] {
        if (key_->currentIndex() >= 0 && octave_->currentIndex() >= 0) {
            emit keyChosen(keyChoice());
        }
    };
    connect(key_, &QComboBox::activated, this, chooseKey);
    connect(octave_, &QComboBox::activated, this, chooseKey);
    connect(FifthButton(this, "< 5th", 110, "Switch to previous key in the circle of fifths"),
            &QPushButton::clicked, this, [this] { StepKey(5); });
    connect(FifthButton(this, "5th >", 152, "Switch to next key in the circle of fifths"),
            &QPushButton::clicked, this, [this] { StepKey(7); });
    connect(showBends_, &QCheckBox::toggled, this, &DiatonicPanel::visibilityChanged);
    connect(showOvers_, &QCheckBox::toggled, this, &DiatonicPanel::visibilityChanged);
    connect(showStats_, &QCheckBox::toggled, this, &DiatonicPanel::statisticsToggled);
}

void DiatonicPanel::RefreshTuningNames() {
    ShowTuningNames(*tuning_, DiatonicTunings());
}

void DiatonicPanel::ShowSelection(int tuningPosition, KeyChoice key) {
    tuning_->setCurrentIndex(tuningPosition);
    key_->setCurrentIndex(key.keyPosition);
    octave_->setCurrentIndex(key.octavePosition);
}

void DiatonicPanel::StepKey(int steps) {
    // A step of a fifth up is seven semitones; five are a fifth down.
    key_->setCurrentIndex((key_->currentIndex() + steps) % 12);
    if (octave_->currentIndex() >= 0) {
        emit keyChosen(keyChoice());
    }
}

void DiatonicPanel::ShowStatistics(const TechniqueCounts& counts, const QString& ranking,
                                   const QString& rankingTip) {
    for (int n = 0; n < kNoteTechniqueCount; ++n) {
        counts_[n]->setText(
            QString("%1 %2").arg(kCountCaptions[n]).arg(counts[static_cast<NoteTechnique>(n)]));
        counts_[n]->show();
    }
    ranking_->setText(ranking);
    ranking_->setToolTip(rankingTip);
    ranking_->setVisible(!ranking.isEmpty());
}

void DiatonicPanel::HideStatistics() {
    for (QLabel* label : counts_) {
        label->hide();
    }
    ranking_->hide();
}

int DiatonicPanel::ContentBottom() const {
    return ranking_->isVisibleTo(this) ? kRankingTop + kRankingHeight
                                       : kFirstCountTop + kCountPitch * kNoteTechniqueCount;
}

}  // namespace tavrino
