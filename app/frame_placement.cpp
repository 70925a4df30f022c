#include "app/frame_placement.h"

#include <string>

#include "monitors/saved_placement.h"

namespace tavrino {

namespace {

// The window's show states as stored.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

std::string MonitorFlagKey(int kind) {
    return "Mon" + std::to_string(kind) + "On";
}

}  // namespace

void RestoreFramePlacement(QWidget& frame, SettingsStore& store) {
    store.WriteInteger(kStateSection, "Running", 1);
    if (!store.ReadInteger(kStateSection, "flags")) {
        return;
    }
    const auto showCmd = store.ReadInteger(kStateSection, "showCmd");
    if (!showCmd) {
        return;
    }
    const std::optional<QRect> rect = ReadSavedRect(store, "");
    if (rect && *showCmd == kShowNormal) {
        frame.setGeometry(KeepOnScreen(*rect, PrimaryScreenSize(), StandardIconSize()));
    }
}

void SaveFramePlacement(const QWidget& frame, const MonitorList& monitors, SettingsStore& store) {
    const int showCmd = frame.isMinimized()   ? kShowMinimized
                        : frame.isMaximized() ? kShowMaximized
                                              : kShowNormal;
    store.WriteInteger(kStateSection, "flags", 0);
    store.WriteInteger(kStateSection, "showCmd", showCmd);
    WriteSavedRect(
        store, "",
        frame.isMinimized() || frame.isMaximized() ? frame.normalGeometry() : frame.geometry());
    store.WriteInteger(kStateSection, "Running", 0);
    for (int kind = 0; kind < kMonitorKindCount; ++kind) {
        store.WriteInteger(kStateSection, MonitorFlagKey(kind),
                           monitors.IsOpen(static_cast<MonitorKind>(kind)) ? 1 : 0);
    }
}

bool WasMonitorOpen(const SettingsStore& store, MonitorKind kind) {
    return store.ReadInteger(kStateSection, MonitorFlagKey(kind)).value_or(0) != 0;
}

}  // namespace tavrino
