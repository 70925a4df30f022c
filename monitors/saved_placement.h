#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <string>

#include "settings/settings_store.h"

namespace tavrino {

// A window's normal rectangle as kept in section "Version 2.3": keys
// `prefix` + "x1", "y1" (top left) and "x2", "y2" (right and bottom, exclusive).
//
// Empty unless all four are present; reading stops at the first missing one.
std::optional<QRect> ReadSavedRect(const SettingsStore& store, const std::string& prefix);
void WriteSavedRect(SettingsStore& store, const std::string& prefix, const QRect& rect);

// Moves a restored rectangle so that at least an icon's width and height of it
// lie on the screen, keeping its size: a window saved on a larger or a
// detached screen stays reachable.
QRect KeepOnScreen(const QRect& rect, const QSize& screen, const QSize& icon);

// The screen the windows open on and the size of a standard icon.
QSize PrimaryScreenSize();
QSize StandardIconSize();

}  // namespace tavrino
