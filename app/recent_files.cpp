#include "app/recent_files.h"

#include <QFileInfo>

namespace tavrino {

namespace {

constexpr std::string_view kSection = "Recent File List";

std::string Key(int index) {
    return "File" + std::to_string(index + 1);
}

// Two names of one file are one entry.
QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace

RecentFileList::RecentFileList(SettingsStore& store) : store_(store) {
    for (int i = 0; i < kSize; ++i) {
        const auto path = store_.ReadString(kSection, Key(i));
        if (path && !path->empty()) {
            files_.append(QString::fromStdString(*path));
        }
    }
}

void RecentFileList::Add(const QString& path) {
    const QString entry = Canonical(path);
    files_.removeAll(entry);
    files_.prepend(entry);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
    Save();
}

void RecentFileList::Remove(const QString& path) {
    if (files_.removeAll(Canonical(path)) > 0) {
        Save();
    }
}

void RecentFileList::Save() const {
    for (int i = 0; i < kSize; ++i) {
        store_.WriteString(kSection, Key(i), i < files_.size() ? files_[i].toStdString() : "");
    }
}

}  // namespace tavrino
