#pragma once

#include <cstddef>
#include <vector>

#include "monitors/note_button.h"

namespace tavrino {

// A monitor's note buttons by slot, each lit while the notes it shows sound.
// A button counts its sounding notes, so that one pressed by two
// overlapping notes stays lit until both have ended. A slot may be empty
// (no button) and still count, as the sounding notes are what is counted.
class LitButtons {
public:
    explicit LitButtons(std::size_t count) : buttons_(count, nullptr), counts_(count, 0) {}

    // Null for an empty slot or one out of range.
    NoteButton* operator[](std::size_t slot) const {
        return slot < buttons_.size() ? buttons_[slot] : nullptr;
    }
    std::size_t size() const { return buttons_.size(); }
    // The button takes the slot; its owner is the monitor window.
    void Put(std::size_t slot, NoteButton* button) { buttons_.at(slot) = button; }
    // Deletes every button, and every count goes with them.
    void DeleteAll();

    void Press(std::size_t slot);
    // An extra release changes nothing.
    void Release(std::size_t slot);
    // Every count 0, every button unlit.
    void ReleaseAll();

private:
    std::vector<NoteButton*> buttons_;
    std::vector<int> counts_;
};

}  // namespace tavrino
