#pragma once

#include "settings/settings.h"

namespace tavrino {

// The settings groups a colour preset changes.
inline constexpr unsigned kColourPresetGroups = kColoursGroup | kDiatonicSymbolsGroup;

// Colours and labels a player reads at a glance: blow bars light and
// green, draw bars dark blue, bends amber, overblows and overdraws dark red,
// labels bold in black or white by the bar, and an overblow mark ("^") that
// cannot be taken for a zero.
void ApplyHighContrastPreset(Settings& settings);

// The program's own colours and labels.
void ApplyDefaultPreset(Settings& settings);

// Copies what the presets set.
void CopyColourPreset(const Settings& from, Settings& to);

}  // namespace tavrino
