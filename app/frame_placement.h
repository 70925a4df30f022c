#pragma once

#include <QWidget>

#include "monitors/monitor_list.h"
#include "settings/settings_store.h"

namespace tavrino {

// Marks the program as running and puts the main window where it was left,
// when it was left in its normal state (neither minimized nor maximized).
void RestoreFramePlacement(QWidget& frame, SettingsStore& store);

// Keeps the main window's placement, marks a normal end, and records which
// monitors are open.
void SaveFramePlacement(const QWidget& frame, const MonitorList& monitors, SettingsStore& store);

// Whether the monitor of the kind was open when the main window last closed.
bool WasMonitorOpen(const SettingsStore& store, MonitorKind kind);

}  // namespace tavrino
