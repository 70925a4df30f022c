#include "app/mixer_track_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace tavrino {

namespace {

QFont ListFont() {
    QFont font("Arial");
    font.setPixelSize(12);
    return font;
}

}  // namespace

MixerTrackList::MixerTrackList(TrackColour colour, QColor selectColour, KeyHandler keys,
                               QWidget* parent)
    : QListWidget(parent),
      colour_(std::move(colour)),
      selectColour_(selectColour),
      keys_(std::move(keys)),
      font_(ListFont()) {
    const QFontMetrics metrics(font_);
    rowHeight_ = std::max(13, metrics.height() + 2);
    headWidth_ = 3 * metrics.horizontalAdvance(QLatin1Char('T')) + 1;
    setFont(font_);
    setItemDelegate(new RowPainter(*this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setToolTip("Tracks list, click to select tracks, right mouse button for menu");
}

int MixerTrackList::TopRow() const {
    return verticalScrollBar()->value();
}

void MixerTrackList::keyPressEvent(QKeyEvent* event) {
    if (keys_ && keys_(*event)) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void MixerTrackList::RowPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    const QRect row = option.rect;
    const QString text = index.data().toString();
    const QColor colour = list_.colour_(index.row());
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->save();
    painter->setFont(list_.font_);
    painter->setPen(Qt::black);
    const QRect head(row.left(), row.top(), list_.headWidth_, row.height());
    painter->fillRect(head, colour);
    painter->drawText(head.adjusted(1, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text.left(3));
    const QRect name(head.right() + 1, row.top(), row.right() - head.right(), row.height());
    painter->fillRect(name, selected ? list_.selectColour_ : colour);
    painter->drawText(name.adjusted(3, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft, text.mid(3));
    if ((option.state & QStyle::State_HasFocus) != 0) {
        painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(row.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize MixerTrackList::RowPainter::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {100, list_.rowHeight_};
}

}  // namespace tavrino
