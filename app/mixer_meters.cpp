#include "app/mixer_meters.h"

#include <QPainter>
#include <algorithm>

namespace tavrino {

MixerMeters::MixerMeters(const MixerLevels& levels, QWidget* parent)
    : QWidget(parent), levels_(levels) {
    for (int i = 0; i < MixerLevels::kBrushCount; ++i) {
        brushes_[static_cast<std::size_t>(i)] =
            QBrush(QColor(std::min(80 * i, 255), std::min(512 - 64 * i, 255), 0));
    }
    // Every pixel is painted each time: nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MixerMeters::SetRows(int top, int rows, int rowHeight) {
    if (top == top_ && rows == rows_ && rowHeight == rowHeight_) {
        return;
    }
    top_ = top;
    rows_ = rows;
    rowHeight_ = rowHeight;
    update();
}

void MixerMeters::Paint(QPainter& painter) const {
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Dark));
    const int width = this->width() - 1;
    for (int row = 0; row < rows_; ++row) {
        const std::size_t track = static_cast<std::size_t>(top_ + row);
        if (track >= levels_.size()) {
            break;
        }
        const int level = levels_.level(track);
        painter.setBrush(level == 0
                             ? rest_
                             : brushes_[static_cast<std::size_t>(MixerLevels::BrushIndex(level))]);
        painter.drawRect(0, row * rowHeight_ + 1, width, rowHeight_ - 3);
    }
}

void MixerMeters::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter);
}

}  // namespace tavrino
