#include "monitors/saved_placement.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <array>

namespace tavrino {

namespace {

constexpr std::array<const char*, 4> kCornerKeys = {"x1", "y1", "x2", "y2"};

}  // namespace

std::optional<QRect> ReadSavedRect(const SettingsStore& store, const std::string& prefix) {
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < kCornerKeys.size(); ++i) {
        const auto value = store.ReadInteger(kStateSection, prefix + kCornerKeys[i]);
        if (!value) {
            return std::nullopt;
        }
        values[i] = static_cast<int>(*value);
    }
    return QRect(QPoint(values[0], values[1]), QSize(values[2] - values[0], values[3] - values[1]));
}

void WriteSavedRect(SettingsStore& store, const std::string& prefix, const QRect& rect) {
    const std::array<int, 4> values = {rect.left(), rect.top(), rect.left() + rect.width(),
                                       rect.top() + rect.height()};
    for (std::size_t i = 0; i < kCornerKeys.size(); ++i) {
        store.WriteInteger(kStateSection, prefix + kCornerKeys[i], values[i]);
    }
}

QRect KeepOnScreen(const QRect& rect, const QSize& screen, const QSize& icon) {
    QRect kept = rect;
    kept.moveLeft(std::min(rect.left(), screen.width() - icon.width()));
    kept.moveTop(std::min(rect.top(), screen.height() - icon.height()));
    return kept;
}

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize(1024, 768);
}

QSize StandardIconSize() {
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    return {extent, extent};
}

}  // namespace tavrino
