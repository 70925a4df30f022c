#pragma once

#include <optional>

#include "document/note_writing.h"
#include "settings/settings_store.h"

namespace tavrino {

// What the edit toolbar remembers between runs, in section "Version 2.3".
struct EditToolbarSettings {
    // The window's top left corner; kept only when both were saved.
    std::optional<int> x;
    std::optional<int> y;
    int notePercent = kDefaultNotePercent;  // of the note value that sounds, 1..100
    int noteValue = kDefaultNoteValue;      // index into kNoteValues
    bool mouseWrite = false;
};

// A stored percent above 100 becomes 100 and one below 2 becomes 1; a note
// value outside the table, the quarter note.
EditToolbarSettings ReadEditToolbarSettings(const SettingsStore& store);
// The position is written only when given.
void WriteEditToolbarSettings(SettingsStore& store, const EditToolbarSettings& settings);

}  // namespace tavrino
