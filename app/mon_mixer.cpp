#include "app/mon_mixer.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>

#include "dialogs/song_words.h"

namespace tavrino {

namespace {

constexpr int kMargin = 5;
constexpr int kSliderLeft = 1;
constexpr int kSliderWidth = 45;
constexpr int kMeterLeft = 47;
constexpr int kMeterWidth = 11;
constexpr int kBoxLeft = 59;
constexpr int kBoxWidth = 14;
constexpr int kListLeft = 74;
constexpr int kDefaultWidth = 343;
constexpr int kDefaultHeight = 140;
constexpr int kMinimumWidth = 119;
constexpr int kMaxVolume = 200;
constexpr int kVolumePage = 50;
constexpr int kFrameMilliseconds = 33;
constexpr int kFramesPerDecay = 3;  // a decay step every 100 ms

QString ItemText(int index, const MidiTrack& track) {
    const char letter = track.lyricCount > 0 ? 'L' : track.textCount > 0 ? 'T' : ' ';
    char head[16];
    std::snprintf(head, sizeof head, "%02d%c", index, letter);
    return QString::fromLatin1(head) + SongWords(track.name);
}

}  // namespace

CMonMixer::CMonMixer(SettingsStore& store, MixerServices services)
    : CMonitor(store),
      services_(std::move(services)),
      style_(std::make_unique<ScoreStyle>(services_.settings)) {
    frames_.setInterval(kFrameMilliseconds);
    connect(&frames_, &QTimer::timeout, this, [this] { AdvanceMeters(); });
}

CMonMixer::~CMonMixer() = default;

int CMonMixer::PreCreate(MonitorCreateParameters& parameters) {
    parameters.title = "Tavrino! Mixer";
    parameters.resizable = true;
    parameters.rect.setSize({kDefaultWidth, kDefaultHeight});
    return 0;
}

int CMonMixer::CreateContents() {
    list_ = new MixerTrackList(
        [this](int index) {
            const MidiTrack& track = *song().tracks[static_cast<std::size_t>(index)];
            return (track.flags & MidiTrack::kHighlighted) != 0 ? style_->highlight
                                                                : style_->TrackColour(index);
        },
        ToQColor(services_.settings.colorSelect),
        [this](const QKeyEvent& event) { return HandleListKey(event); }, this);
    meters_ = new MixerMeters(levels_, this);
    for (int row = 0; row < kMaxRows; ++row) {
        RowControls& controls = rows_[static_cast<std::size_t>(row)];
        controls.slider = new QSlider(Qt::Horizontal, this);
        controls.slider->setRange(0, kMaxVolume);
        controls.slider->setPageStep(kVolumePage);
        controls.slider->setValue(kFullVolume);
        // The volume changes when the thumb is let go, not while it moves.
        controls.slider->setTracking(false);
        controls.slider->setToolTip("Track volume");
        connect(controls.slider, &QSlider::valueChanged, this,
                [this, row] { OnSliderReleased(row); });
        controls.visible = new QCheckBox(this);
        controls.visible->setToolTip("Set visible tracks");
        controls.visible->installEventFilter(this);
        connect(controls.visible, &QCheckBox::clicked, this,
                [this, row] { ClickVisibleBox(row, QGuiApplication::keyboardModifiers()); });
    }
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = list_->indexAt(at);
        ContextMenu(index.isValid() ? index.row() : -1)->exec(list_->viewport()->mapToGlobal(at));
    });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!services_.isPlaying()) {
            list_->setCurrentItem(item);
            ShowTrackProperties();
        }
    });
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { RefreshControls(); });
    RestorePlacement(kDefaultWidth, kDefaultHeight, false);
    ResetDisplay(true);
    return 0;
}

void CMonMixer::DestroyContents() {
    frames_.stop();
}

int CMonMixer::ResetDisplay(bool newSong) {
    if (list_ == nullptr) {
        return 0;
    }
    if (newSong) {
        style_ = std::make_unique<ScoreStyle>(services_.settings);
        list_->SetSelectColour(ToQColor(services_.settings.colorSelect));
        RefillList(keepScroll_);
        Relayout(true);
        update();
    }
    RefreshControls();
    return 0;
}

void CMonMixer::RefillList(bool keepScroll) {
    const int top = list_->TopRow();
    refilling_ = true;
    list_->clear();
    trackIndexes_.clear();
    for (std::size_t i = 0; i < song().tracks.size(); ++i) {
        const MidiTrack& track = *song().tracks[i];
        auto* item = new QListWidgetItem(ItemText(static_cast<int>(i), track), list_);
        item->setSelected((track.flags & MidiTrack::kHighlighted) != 0);
        trackIndexes_.emplace_back(&track, static_cast<int>(i));
    }
    std::sort(trackIndexes_.begin(), trackIndexes_.end());
    list_->verticalScrollBar()->setValue(keepScroll ? top : 0);
    refilling_ = false;
    levels_.Reset(song().tracks.size());
    focusedTrack_ = -1;
    previousFocusedTrack_ = -1;
}

void CMonMixer::Relayout(bool resizeForSong) {
    const int rowHeight = list_->rowHeight();
    const int frame = 2 * list_->frameWidth();
    const std::size_t tracks = song().tracks.size();
    const auto heightFor = [&](std::size_t rows) {
        return static_cast<int>(rows) * rowHeight + frame + 2 * kMargin;
    };
    if (resizeForSong) {
        const std::size_t rows = tracks == 0 ? 8 : tracks;
        if (height() > heightFor(rows)) {
            resize(width(), heightFor(rows));
        } else if (height() < heightFor(std::min<std::size_t>(rows, 8))) {
            resize(width(), heightFor(std::min<std::size_t>(rows, 8)));
        }
    }
    setMinimumSize(kMinimumWidth, heightFor(tracks <= 1 ? 1 : 2));
    setMaximumHeight(tracks == 0 ? QWIDGETSIZE_MAX : heightFor(tracks));
    const int fitting = std::max(0, (height() - frame - 2 * kMargin) / rowHeight);
    rowsInUse_ = std::min(kMaxRows, fitting);
    if (tracks > 0) {
        rowsInUse_ = std::min<int>(rowsInUse_, static_cast<int>(tracks));
    }
    list_->setGeometry(kListLeft, kMargin, std::max(0, width() - kListLeft - kMargin + 3),
                       std::max(rowsInUse_, 1) * rowHeight + frame);
    RefreshControls();
}

void CMonMixer::resizeEvent(QResizeEvent* event) {
    CMonitor::resizeEvent(event);
    if (list_ != nullptr) {
        Relayout(false);
    }
}

void CMonMixer::RefreshControls() {
    if (list_ == nullptr || refilling_) {
        return;
    }
    const int top = list_->TopRow();
    const int rowHeight = list_->rowHeight();
    const int firstRowTop = kMargin + list_->frameWidth();
    const int trackCount = static_cast<int>(song().tracks.size());
    for (int row = 0; row < kMaxRows; ++row) {
        const RowControls& controls = rows_[static_cast<std::size_t>(row)];
        const int track = top + row;
        const bool shown = row < rowsInUse_ && track < trackCount;
        controls.slider->setVisible(shown);
        controls.visible->setVisible(shown);
        if (!shown) {
            continue;
        }
        const int y = firstRowTop + row * rowHeight;
        controls.slider->setGeometry(kSliderLeft, y, kSliderWidth, rowHeight);
        controls.visible->setGeometry(kBoxLeft, y, kBoxWidth, rowHeight);
        const MidiTrack& midiTrack = *song().tracks[static_cast<std::size_t>(track)];
        const QSignalBlocker blockSlider(controls.slider);
        controls.slider->setValue(midiTrack.velocityPercent);
        controls.slider->setToolTip(
            QString("Track %1 volume: %2 %").arg(track).arg(midiTrack.velocityPercent));
        const QSignalBlocker blockBox(controls.visible);
        controls.visible->setChecked(midiTrack.visible());
    }
    meters_->setGeometry(kMeterLeft, firstRowTop, kMeterWidth, rowsInUse_ * rowHeight);
    meters_->SetRows(top, rowsInUse_, rowHeight);
}

// --- Playback feed ----------------------------------------------------------

int CMonMixer::TrackOfEvent(int eventIndex) const {
    if (eventIndex < 0 || static_cast<std::size_t>(eventIndex) >= song().messages.size()) {
        return -1;
    }
    const MidiTrack* track = song().messages[static_cast<std::size_t>(eventIndex)]->track;
    const auto found = std::lower_bound(trackIndexes_.begin(), trackIndexes_.end(),
                                        std::pair<const MidiTrack*, int>(track, -1));
    return found != trackIndexes_.end() && found->first == track ? found->second : -1;
}

void CMonMixer::NoteOn(int, int eventIndex, int) {
    const int track = TrackOfEvent(eventIndex);
    if (track < 0 || Loading()) {
        return;
    }
    const MidiEvent& event = *song().messages[static_cast<std::size_t>(eventIndex)];
    const int percent = song().tracks[static_cast<std::size_t>(track)]->velocityPercent;
    if (levels_.NoteOn(static_cast<std::size_t>(track), event.data2, percent)) {
        metersDirty_ = true;
        if (!frames_.isActive()) {
            frames_.start();
        }
    }
}

void CMonMixer::NoteOff(int, int eventIndex, int) {
    const int track = TrackOfEvent(eventIndex);
    if (track >= 0 && levels_.NoteOff(static_cast<std::size_t>(track))) {
        metersDirty_ = true;
    }
}

void CMonMixer::AdvanceMeters() {
    if (++framesToDecay_ >= kFramesPerDecay) {
        framesToDecay_ = 0;
        metersDirty_ = levels_.Decay() || metersDirty_;
    }
    if (metersDirty_) {
        meters_->update();
        metersDirty_ = false;
        return;
    }
    // Every meter is at rest: nothing to do until the next note.
    bool resting = true;
    for (std::size_t i = 0; i < levels_.size() && resting; ++i) {
        resting = levels_.level(i) == 0;
    }
    if (resting) {
        frames_.stop();
    }
}

// --- Row controls -------------------------------------------------------------

void CMonMixer::OnSliderReleased(int row) {
    const std::size_t track = static_cast<std::size_t>(list_->TopRow() + row);
    if (Loading() || track >= song().tracks.size()) {
        return;
    }
    song().tracks[track]->velocityPercent =
        static_cast<std::uint8_t>(rows_[static_cast<std::size_t>(row)].slider->value());
    RefreshControls();
}

bool CMonMixer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int row = 0; row < kMaxRows; ++row) {
            if (rows_[static_cast<std::size_t>(row)].visible == watched) {
                OnVisibleFocused(row);
                break;
            }
        }
    }
    return CMonitor::eventFilter(watched, event);
}

void CMonMixer::OnVisibleFocused(int row) {
    const int track = list_->TopRow() + row;
    if (track != focusedTrack_) {
        previousFocusedTrack_ = focusedTrack_;
        focusedTrack_ = track;
    }
}

void CMonMixer::ClickVisibleBox(int row, Qt::KeyboardModifiers modifiers) {
    const int track = list_->TopRow() + row;
    const int trackCount = static_cast<int>(song().tracks.size());
    if (Loading() || track >= trackCount) {
        return;
    }
    OnVisibleFocused(row);
    MidiTrack& clicked = *song().tracks[static_cast<std::size_t>(track)];
    if ((modifiers & Qt::ShiftModifier) != 0 && previousFocusedTrack_ >= 0) {
        const int from = std::min(previousFocusedTrack_, focusedTrack_);
        const int to = std::min(std::max(previousFocusedTrack_, focusedTrack_), trackCount - 1);
        std::vector<MidiTrack*> range;
        for (int i = from; i <= to; ++i) {
            range.push_back(song().tracks[static_cast<std::size_t>(i)].get());
        }
        ShowTracks(song(), range, true);
    } else if ((modifiers & Qt::ControlModifier) != 0) {
        clicked.flags ^= MidiTrack::kVisible;
    } else {
        MidiTrack* only[] = {&clicked};
        ShowTracks(song(), only, false);
    }
    AfterVisibilityChange(false);
}

}  // namespace tavrino
