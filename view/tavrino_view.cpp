#include "view/tavrino_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tavrino {

namespace {

// The vertical scroll bar shows the centre position upside down: its top
// is the highest pitch.
constexpr int kVerticalFlip = 70;
constexpr int kCentrePage = 7;

}  // namespace

CTavrinoView::CTavrinoView(CTavrinoDoc& doc, const Settings& settings,
                           const DiatonicLayout& diatonic, const ChromaticLayout& chromatic,
                           QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      settings_(settings),
      diatonic_(diatonic),
      chromatic_(chromatic),
      style_(std::make_unique<ScoreStyle>(settings)),
      page_(settings.tabStaffSpace),
      trackers_([this](int key, std::int32_t start, std::int32_t duration) {
          return TrackerRect(page_.layout(), page_.window(), key, start, duration);
      }) {
    doc_.AttachSelection(&trackers_);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setBackgroundRole(QPalette::Base);

    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(kVerticalFlip - kHighestCentrePosition,
                       kVerticalFlip - kLowestCentrePosition);
    vertical->setPageStep(kCentrePage);
    vertical->setValue(kVerticalFlip - kDefaultCentrePosition);
    connect(vertical, &QScrollBar::valueChanged, this, &CTavrinoView::OnVerticalValue);

    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, 1);
    horizontal->setTracking(false);
    connect(horizontal, &QScrollBar::actionTriggered, this, &CTavrinoView::OnHorizontalAction);
    connect(horizontal, &QScrollBar::sliderReleased, this, &CTavrinoView::OnHorizontalReleased);
}

CTavrinoView::~CTavrinoView() {
    doc_.AttachSelection(nullptr);
}

void CTavrinoView::AttachPlayer(const PlayPositionSource* player) {
    player_ = player;
    Invalidate();
}

std::int32_t CTavrinoView::FirstTick() const {
    return page_.window().firstTick;
}
std::int32_t CTavrinoView::LastTick() const {
    return page_.window().lastTick;
}
int CTavrinoView::ZoomIndex() const {
    return page_.window().zoomIndex;
}

void CTavrinoView::Invalidate() {
    page_.Invalidate();
    bendTrail_ = {};
    viewport()->update();
}

PlayState CTavrinoView::CurrentPlay() const {
    if (player_ == nullptr) {
        return {false, scrolledTick_, -1};
    }
    const PlayPosition& position = player_->SharedPosition();
    return {player_->IsPlaying(), position.current.load(), position.displayIndex.load()};
}

TabSource CTavrinoView::Tabs() const {
    return TabSource{tablatureType_, &diatonic_, &chromatic_, settings_.symbols,
                     settings_.musicNoteType};
}

ScoreScene CTavrinoView::Scene() const {
    return ScoreScene{doc_.song,
                      settings_,
                      Tabs(),
                      CurrentPlay(),
                      doc_.beginMark,
                      doc_.endMark,
                      editMode_ ? doc_.editCursor : kNoMark,
                      editMode_,
                      false,
                      &doc_.shownAlternates};
}

void CTavrinoView::FollowPlay() {
    page_.MeasureLineHeight(style_->tabFont);
    if (page_.Follow(doc_.song, CurrentPlay().tick)) {
        bendTrail_ = {};
    }
}

void CTavrinoView::paintEvent(QPaintEvent* event) {
    FollowPlay();
    const ScoreScene scene = Scene();
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, page_.Image(scene, *style_, devicePixelRatioF()));
    ScorePainter overlay(painter, *style_, scene, page_.layout(), page_.window());
    overlay.PaintPositionBand(scene.play.playing && bandTick_ >= 0 ? bandTick_ : scene.play.tick);
    if (editMode_) {
        overlay.PaintEditCursor();
        if (!trackers_.Dragging()) {
            trackers_.Replace();
        }
        for (std::size_t i = 0; i < trackers_.Count(); ++i) {
            overlay.PaintTrackerFrame(trackers_.Frame(i));
        }
    }
}

void CTavrinoView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    page_.Resize(viewport()->width(), viewport()->height());
    Invalidate();
}

// The scroll bars move the score through their own handlers, never by
// shifting pixels.
void CTavrinoView::scrollContentsBy(int, int) {}

void CTavrinoView::PaintPlayedNote(int eventIndex) {
    // Before the first paint there is no page to paint on; that paint shows
    // the note as played anyway.
    if (page_.CachedImage().isNull()) {
        return;
    }
    const ScoreScene scene = Scene();
    QPainter painter(&page_.CachedImage());
    const std::optional<PixelRect> bar =
        ScorePainter(painter, *style_, scene, page_.layout(), page_.window())
            .PaintPlayedNote(eventIndex);
    if (bar) {
        viewport()->update(ToQRect(*bar).adjusted(-1, -1, 1, 1));
    }
}

void CTavrinoView::PaintBendStep(int eventIndex) {
    if (page_.CachedImage().isNull()) {
        return;
    }
    const ScoreScene scene = Scene();
    {
        QPainter painter(&page_.CachedImage());
        ScorePainter(painter, *style_, scene, page_.layout(), page_.window())
            .PaintBendStep(page_.firstEventIndex(), eventIndex, bendTrail_);
    }
    const ScoreLayout& layout = page_.layout();
    viewport()->update(QRect(layout.notesLeft, layout.staffTop, layout.right - layout.notesLeft,
                             layout.staffBottom - layout.staffTop));
}

void CTavrinoView::PaintPositionBand(std::int32_t tick) {
    bandTick_ = tick;
    viewport()->update(QRect(0, 0, viewport()->width(), page_.layout().staffTop));
}

void CTavrinoView::SetScrollRange(std::int32_t quarters) {
    horizontalScrollBar()->setRange(0, std::max(0, quarters));
}

void CTavrinoView::SetScrollPosition(std::int32_t quarter) {
    horizontalScrollBar()->setSliderPosition(quarter);
}

void CTavrinoView::ScrollToShow(std::int32_t tick) {
    SetScrollPosition(tick / std::max<int>(1, doc_.song.division));
}

void CTavrinoView::SetZoomIndex(int index) {
    page_.SetZoom(index);
    Invalidate();
}

void CTavrinoView::SetTablatureType(int type) {
    tablatureType_ = type;
    Invalidate();
}

void CTavrinoView::SetEditMode(bool open) {
    editMode_ = open;
    if (!open) {
        hold_.reset();
        trackers_.Clear();
    }
    Invalidate();
}

void CTavrinoView::RebuildFonts() {
    style_ = std::make_unique<ScoreStyle>(settings_);
    page_.ForgetLineHeight();
    page_.SetTabStaffSpace(settings_.tabStaffSpace);
    Invalidate();
}

void CTavrinoView::OnHorizontalAction(int action) {
    const std::int64_t division = std::max<int>(1, doc_.song.division);
    const std::int64_t tick = CurrentPlay().tick;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            ScrollPlayTick(tick + division);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            ScrollPlayTick(tick - division);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            ScrollPlayTick(tick + page_.window().visibleTicks);
            break;
        case QAbstractSlider::SliderPageStepSub:
            ScrollPlayTick(tick - page_.window().visibleTicks);
            break;
        default:
            break;
    }
}

void CTavrinoView::OnHorizontalReleased() {
    ScrollPlayTick(std::int64_t{horizontalScrollBar()->sliderPosition()} *
                   std::max<int>(1, doc_.song.division));
}

void CTavrinoView::ScrollPlayTick(std::int64_t wanted) {
    const MidiSong& song = doc_.song;
    if (song.loading != 0) {
        return;
    }
    const std::int64_t top = editMode_ ? INT32_MAX : song.songLength;
    const auto tick = static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, top));
    const std::int32_t playTick = CurrentPlay().tick;
    if (tick != playTick) {
        scrolledTick_ = tick;
        emit playTickScrolled(tick);
        if (editMode_) {
            doc_.editCursor = tick;
        }
        page_.ShiftWindow(tick - playTick);
        Invalidate();
    }
    horizontalScrollBar()->setSliderPosition(tick / std::max<int>(1, song.division));
}

void CTavrinoView::OnVerticalValue(int value) {
    page_.SetCentrePosition(kVerticalFlip - value);
    Invalidate();
}

}  // namespace tavrino
