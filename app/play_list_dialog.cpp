#include "app/play_list_dialog.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "monitors/saved_placement.h"

namespace tavrino {

namespace {

constexpr const char* kPlacementPrefix = "List.";

}  // namespace

PlayListView::PlayListView(QWidget* parent) : QListView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    // Every row is one line of text: the view lays out long lists at once.
    setUniformItemSizes(true);
    setAlternatingRowColors(true);
    setTextElideMode(Qt::ElideMiddle);
}

int PlayListView::DropTarget(const QPoint& position) const {
    const QModelIndex target = indexAt(position);
    if (!target.isValid()) {
        return model()->rowCount();
    }
    // The lower half of an entry means after it.
    const QRect rect = visualRect(target);
    return position.y() > rect.center().y() ? target.row() + 1 : target.row();
}

void PlayListView::dragMoveEvent(QDragMoveEvent* event) {
    QListView::dragMoveEvent(event);
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
}

void PlayListView::dropEvent(QDropEvent* event) {
    const QModelIndex source = currentIndex();
    if (event->source() != this || !source.isValid()) {
        event->ignore();
        return;
    }
    const int before = DropTarget(event->position().toPoint());
    // The view must not remove the dragged row itself: the list moved it.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setState(QAbstractItemView::NoState);
    viewport()->update();
    if (onMove) {
        onMove(source.row(), before);
    }
}

CPlayList::CPlayList(QWidget* owner, const PlayList& list, SettingsStore& store, Actions actions)
    : QDialog(owner),
      list_(list),
      store_(store),
      actions_(std::move(actions)),
      model_(new PlayListModel(list, this)),
      view_(new PlayListView(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Tavrino! PlayList");
    setModal(false);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, std::function<void()>*> kButtons[] = {
        {"&Add", &actions_.add},
        {"&Clear", &actions_.clear},
        {"&Save", &actions_.save},
        {"&Load", &actions_.load},
    };
    for (const auto& [text, action] : kButtons) {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [action = action] { (*action)(); });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    view_->setModel(model_);
    view_->onMove = [this](int from, int before) { actions_.move(from, before); };
    connect(view_, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { actions_.open(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(view_);
    resize(560, 320);
    RestorePlacement();
    Refill();
}

void CPlayList::Refill() {
    model_->Refill();
    shownCurrent_ = list_.current();
    SelectRow(list_.current());
}

void CPlayList::ShowCurrent() {
    model_->ShowCurrent(shownCurrent_);
    shownCurrent_ = list_.current();
    SelectRow(list_.current());
}

void CPlayList::SelectRow(int row) {
    const int count = model_->rowCount();
    if (count == 0) {
        return;
    }
    const QModelIndex index = model_->index(std::clamp(row, 0, count - 1));
    view_->setCurrentIndex(index);
    view_->scrollTo(index);
}

void CPlayList::keyPressEvent(QKeyEvent* event) {
    const QModelIndex caret = view_->currentIndex();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // With no entry selected there is nothing to open.
            if (caret.isValid() && view_->selectionModel()->isSelected(caret)) {
                actions_.open(caret.row());
            }
            return;
        case Qt::Key_Delete:
            if (caret.isValid()) {
                actions_.remove(caret.row());
            }
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CPlayList::closeEvent(QCloseEvent* event) {
    SavePlacement();
    QDialog::closeEvent(event);
}

void CPlayList::RestorePlacement() {
    if (const std::optional<QRect> rect = ReadSavedRect(store_, kPlacementPrefix)) {
        setGeometry(KeepOnScreen(*rect, PrimaryScreenSize(), StandardIconSize()));
    }
}

void CPlayList::SavePlacement() {
    if (!isMinimized() && !isMaximized()) {
        WriteSavedRect(store_, kPlacementPrefix, geometry());
    }
}

}  // namespace tavrino
