#pragma once

#include <QAbstractListModel>
#include <vector>

#include "player/play_list.h"

namespace tavrino {

// The play list as rows of full paths for the dialog's list view. Whether an
// entry's file exists is looked up when its row is first shown, so a long
// list shows without touching every file.
class PlayListModel : public QAbstractListModel {
public:
    explicit PlayListModel(const PlayList& list, QObject* parent = nullptr);

    // The list changed as a whole.
    void Refill();
    // Only the current entry changed.
    void ShowCurrent(int previous);
    // False for rows the list does not have.
    bool IsMissing(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;

    static QString DisplayPath(const std::string& path);

private:
    enum class FileState : char { kUnknown, kPresent, kMissing };

    const PlayList& list_;
    mutable std::vector<FileState> states_;
};

}  // namespace tavrino
