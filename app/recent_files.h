#pragma once

#include <QString>
#include <QStringList>

#include "settings/settings_store.h"

namespace tavrino {

// The files opened last, newest first, kept in the settings store between
// runs.
class RecentFileList {
public:
    static constexpr int kSize = 8;

    explicit RecentFileList(SettingsStore& store);

    const QStringList& files() const { return files_; }
    // Puts the file first; a file already listed moves up.
    void Add(const QString& path);
    // Drops a file that can no longer be opened.
    void Remove(const QString& path);

private:
    void Save() const;

    SettingsStore& store_;
    QStringList files_;
};

}  // namespace tavrino
