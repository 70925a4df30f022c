#include "app/play_list_model.h"

#include <QFile>
#include <QFont>
#include <QPalette>

namespace tavrino {

PlayListModel::PlayListModel(const PlayList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list), states_(list.size(), FileState::kUnknown) {}

void PlayListModel::Refill() {
    beginResetModel();
    states_.assign(list_.size(), FileState::kUnknown);
    endResetModel();
}

void PlayListModel::ShowCurrent(int previous) {
    for (const int row : {previous, list_.current()}) {
        if (row >= 0 && row < rowCount()) {
            emit dataChanged(index(row), index(row), {Qt::FontRole, Qt::DisplayRole});
        }
    }
}

bool PlayListModel::IsMissing(int row) const {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    auto& state = states_[static_cast<std::size_t>(row)];
    if (state == FileState::kUnknown) {
        state = IsExistingFile(list_.path(row)) ? FileState::kPresent : FileState::kMissing;
    }
    return state == FileState::kMissing;
}

int PlayListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min(list_.size(), states_.size()));
}

QString PlayListModel::DisplayPath(const std::string& path) {
    // Names in another encoding than the system's show as the system reads them.
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QVariant PlayListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole: {
            const QString path = DisplayPath(list_.path(row));
            return IsMissing(row) ? path + "  (missing)" : path;
        }
        case Qt::ToolTipRole:
            return IsMissing(row) ? QString("This file no longer exists; Next skips it.")
                                  : DisplayPath(list_.path(row));
        case Qt::FontRole:
            if (row == list_.current()) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::ForegroundRole:
            if (IsMissing(row)) {
                return QPalette().brush(QPalette::Disabled, QPalette::Text);
            }
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags PlayListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
    return index.isValid() ? flags | Qt::ItemIsDragEnabled : flags;
}

Qt::DropActions PlayListModel::supportedDropActions() const {
    return Qt::MoveAction;
}

}  // namespace tavrino
