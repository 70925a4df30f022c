#pragma once

#include <QColor>
#include <QFont>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <functional>

namespace tavrino {

// The mixer's list of tracks, one row of `rowHeight` pixels each: "%02d" the
// track number, a letter (L lyrics, T texts) and the name. The number is
// drawn on the track's colour, the name on the selection colour when the row
// is selected. Keys the mixer acts on are handed to it.
class MixerTrackList : public QListWidget {
public:
    // The colour of track `index` as the score paints it.
    using TrackColour = std::function<QColor(int index)>;
    // True when the mixer took the key.
    using KeyHandler = std::function<bool(const QKeyEvent& event)>;

    MixerTrackList(TrackColour colour, QColor selectColour, KeyHandler keys, QWidget* parent);

    int rowHeight() const { return rowHeight_; }
    void SetSelectColour(QColor colour) { selectColour_ = colour; }
    // The first row on show.
    int TopRow() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class RowPainter : public QStyledItemDelegate {
    public:
        explicit RowPainter(MixerTrackList& list) : QStyledItemDelegate(&list), list_(list) {}
        void paint(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const override;
        QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    private:
        MixerTrackList& list_;
    };

    TrackColour colour_;
    QColor selectColour_;
    KeyHandler keys_;
    QFont font_;
    int rowHeight_;
    int headWidth_;  // the number and the letter
};

}  // namespace tavrino
