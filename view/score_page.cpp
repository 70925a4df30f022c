#include "view/score_page.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace tavrino {

ScorePage::ScorePage(int tabStaffSpace) {
    layout_.tabStaffSpace = tabStaffSpace;
}

void ScorePage::Resize(int width, int height) {
    SetLayoutEdges(layout_, 0, 0, width, height);
    stale_ = true;
}

void ScorePage::MeasureLineHeight(const QFont& tabFont) {
    if (layout_.lineHeight == ScoreLayout::kUnknown) {
        SetLineHeight(layout_, QFontMetrics(tabFont).height());
        stale_ = true;
    }
}

void ScorePage::SetTabStaffSpace(int space) {
    layout_.tabStaffSpace = space;
    SetLayoutEdges(layout_, std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    stale_ = true;
}

void ScorePage::SetZoom(int zoomIndex) {
    tavrino::SetZoom(window_, zoomIndex);
    stale_ = true;
}

void ScorePage::SetCentrePosition(int position) {
    window_.centrePosition = std::clamp(position, kLowestCentrePosition, kHighestCentrePosition);
    stale_ = true;
}

void ScorePage::ShiftWindow(std::int32_t ticks) {
    window_.firstTick = std::max<std::int64_t>(0, std::int64_t{window_.firstTick} + ticks);
    stale_ = true;
}

bool ScorePage::Follow(const MidiSong& song, std::int32_t tick) {
    window_.division = std::max<int>(1, song.division);
    const bool moved = UpdateWindow(window_, layout_, tick, !song.messages.empty());
    // Walking the events costs time in proportion to the song's position;
    // small repaints (a played note, the band) keep the page's start.
    if (moved || stale_) {
        firstEventIndex_ = FirstEventIndex(song.messages, window_, firstEventIndex_);
        stale_ = true;
    }
    return moved;
}

const QImage& ScorePage::Image(const ScoreScene& scene, const ScoreStyle& style, qreal pixelRatio) {
    const QSize size(layout_.right2, layout_.bottom);
    if (!stale_ && image_.size() == size * pixelRatio) {
        return image_;
    }
    if (image_.size() != size * pixelRatio) {
        image_ = QImage(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    }
    image_.setDevicePixelRatio(pixelRatio);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    ScorePainter(painter, style, scene, layout_, window_).PaintPage(firstEventIndex_);
    stale_ = false;
    return image_;
}

QImage RenderScore(const ScoreScene& scene, int width, int height, int zoomIndex,
                   std::int32_t tick) {
    const ScoreStyle style(scene.settings);
    ScorePage page(scene.settings.tabStaffSpace);
    page.Resize(width, height);
    page.MeasureLineHeight(style.tabFont);
    page.SetZoom(zoomIndex);
    page.Follow(scene.song, tick);
    QImage image = page.Image(scene, style, 1.0);
    QPainter painter(&image);
    ScorePainter(painter, style, scene, page.layout(), page.window()).PaintPositionBand(tick);
    return image;
}

}  // namespace tavrino
