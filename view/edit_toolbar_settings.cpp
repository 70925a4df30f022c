#include "view/edit_toolbar_settings.h"

#include <algorithm>

namespace tavrino {

namespace {

constexpr const char* kLeftKey = "Edit.x1";
constexpr const char* kTopKey = "Edit.y1";
constexpr const char* kPercentKey = "Edit.notepercent";
constexpr const char* kNoteValueKey = "Edit.editnote";
constexpr const char* kMouseKey = "Edit.enablemouse";

}  // namespace

EditToolbarSettings ReadEditToolbarSettings(const SettingsStore& store) {
    EditToolbarSettings settings;
    const auto left = store.ReadInteger(kStateSection, kLeftKey);
    const auto top = store.ReadInteger(kStateSection, kTopKey);
    if (left && top) {
        settings.x = static_cast<int>(std::clamp<std::int64_t>(*left, INT32_MIN, INT32_MAX));
        settings.y = static_cast<int>(std::clamp<std::int64_t>(*top, INT32_MIN, INT32_MAX));
    }
    if (const auto percent = store.ReadInteger(kStateSection, kPercentKey)) {
        settings.notePercent =
            *percent < 2 ? 1 : static_cast<int>(std::min<std::int64_t>(*percent, 100));
    }
    if (const auto value = store.ReadInteger(kStateSection, kNoteValueKey)) {
        if (*value >= 0 && *value < static_cast<std::int64_t>(kNoteValues.size())) {
            settings.noteValue = static_cast<int>(*value);
        }
    }
    if (const auto mouse = store.ReadInteger(kStateSection, kMouseKey)) {
        settings.mouseWrite = *mouse != 0;
    }
    return settings;
}

void WriteEditToolbarSettings(SettingsStore& store, const EditToolbarSettings& settings) {
    if (settings.x && settings.y) {
        store.WriteInteger(kStateSection, kLeftKey, *settings.x);
        store.WriteInteger(kStateSection, kTopKey, *settings.y);
    }
    store.WriteInteger(kStateSection, kPercentKey, settings.notePercent);
    store.WriteInteger(kStateSection, kNoteValueKey, settings.noteValue);
    store.WriteInteger(kStateSection, kMouseKey, settings.mouseWrite ? 1 : 0);
}

}  // namespace tavrino
