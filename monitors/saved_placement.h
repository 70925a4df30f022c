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

// Moves a restored rectangle, keeping its size, so that its top left corner
// lies at least an icon's width and height inside the screen's right and
// bottom edges: a window saved on a larger screen, or on one to the right or
// below that is gone, stays reachable. One off the left or top edge is not
// moved.
QRect KeepOnScreen(const QRect& rect, const QSize& screen, const QSize& icon);

// The screen the windows open on and the size of a standard icon.
QSize PrimaryScreenSize();
QSize StandardIconSize();

}  // namespace tavrino
