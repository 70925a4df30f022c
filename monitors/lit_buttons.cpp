#include "monitors/lit_buttons.h"

namespace tavrino {

void LitButtons::DeleteAll() {
    for (NoteButton*& button : buttons_) {
        delete button;
        button = nullptr;
    }
    counts_.assign(counts_.size(), 0);
}

void LitButtons::Press(std::size_t slot) {
    if (slot < counts_.size() && ++counts_[slot] == 1 && buttons_[slot] != nullptr) {
        buttons_[slot]->setLit(true);
    }
}

void LitButtons::Release(std::size_t slot) {
    if (slot < counts_.size() && counts_[slot] > 0 && --counts_[slot] == 0 &&
        buttons_[slot] != nullptr) {
        buttons_[slot]->setLit(false);
    }
}

void LitButtons::ReleaseAll() {
    counts_.assign(counts_.size(), 0);
    for (NoteButton* button : buttons_) {
        if (button != nullptr) {
            button->setLit(false);
        }
    }
}

}  // namespace tavrino
