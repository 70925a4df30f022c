#include "monitors/harmonica_picture.h"

#include <QLinearGradient>

#include "monitors/diatonic_geometry.h"

namespace tavrino {

namespace {

using namespace diatonic_geometry;

constexpr int kPlateHeight = 11;  // each cover plate's visible band

QLinearGradient Chrome(const QRectF& band) {
    QLinearGradient chrome(band.topLeft(), band.bottomLeft());
    chrome.setColorAt(0.0, QColor(245, 247, 250));
    chrome.setColorAt(0.45, QColor(178, 184, 192));
    chrome.setColorAt(0.55, QColor(150, 156, 165));
    chrome.setColorAt(1.0, QColor(214, 218, 224));
    return chrome;
}

void PaintEnds(QPainter& painter, const QRectF& body) {
    QLinearGradient graphite(body.topLeft(), body.bottomLeft());
    graphite.setColorAt(0, QColor(92, 96, 104));
    graphite.setColorAt(0.5, QColor(44, 47, 52));
    graphite.setColorAt(1, QColor(78, 82, 90));
    painter.setPen(QPen(QColor(30, 30, 34), 1));
    painter.setBrush(graphite);
    painter.drawRoundedRect(body, 9, 9);
}

void PaintHoles(QPainter& painter, const HarmonicaPicture& picture, const QRectF& comb) {
    // The comb between the plates, then an opening per hole.
    QLinearGradient wood(comb.topLeft(), comb.bottomLeft());
    wood.setColorAt(0, QColor(214, 176, 120));
    wood.setColorAt(1, QColor(170, 128, 78));
    painter.setPen(Qt::NoPen);
    painter.setBrush(wood);
    painter.drawRect(comb);
    QFont number = painter.font();
    number.setPixelSize(10);
    number.setBold(true);
    painter.setFont(number);
    for (int hole = 0; hole < picture.holeCount; ++hole) {
        const QRectF cell(comb.left() + kHoleWidth * hole, comb.top(), kHoleWidth, comb.height());
        const QRectF opening = cell.adjusted(3, 2.5, -3, -2.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(24, 20, 18));
        painter.drawRoundedRect(opening, 2, 2);
        painter.setPen(QColor(205, 205, 205));
        painter.drawText(opening, Qt::AlignCenter, QString::number(hole + 1));
    }
}

void PaintPlates(QPainter& painter, const HarmonicaPicture& picture, const QRectF& upper,
                 const QRectF& lower) {
    for (const QRectF& plate : {upper, lower}) {
        painter.setPen(QPen(QColor(110, 114, 122), 1));
        painter.setBrush(Chrome(plate));
        painter.drawRect(plate);
    }
    for (int hole = 0; hole < picture.holeCount; ++hole) {
        if (hole >= static_cast<int>(picture.valved.size()) || !picture.valved[hole]) {
            continue;
        }
        const double x = upper.left() + kHoleWidth * hole + 4;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(x, upper.top() - 3, kHoleWidth - 8, 4));
        painter.drawRect(QRectF(x, lower.bottom() - 1, kHoleWidth - 8, 4));
    }
}

}  // namespace

void PaintHarmonica(QPainter& painter, const HarmonicaPicture& picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double holesLeft = picture.left + kEndWidth;
    const double holesWidth = kHoleWidth * picture.holeCount;
    const QRectF body(picture.left + 0.5, picture.top + 0.5, holesWidth + 2 * kEndWidth - 1,
                      kBodyHeight - 1);
    PaintEnds(painter, body);
    const QRectF upper(holesLeft, picture.top + 1, holesWidth, kPlateHeight);
    const QRectF lower(holesLeft, picture.top + kBodyHeight - 1 - kPlateHeight, holesWidth,
                       kPlateHeight);
    PaintHoles(painter, picture,
               QRectF(holesLeft, upper.bottom(), holesWidth, lower.top() - upper.bottom()));
    PaintPlates(painter, picture, upper, lower);

    QFont engraving = painter.font();
    engraving.setPixelSize(12);
    engraving.setBold(true);
    painter.setFont(engraving);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(picture.left, picture.top, kEndWidth, kBodyHeight), Qt::AlignCenter,
                     picture.keyName);
    painter.restore();
}

}  // namespace tavrino
