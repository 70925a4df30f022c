#include "monitors/held_keys.h"

namespace tavrino {

bool HeldKeys::Hold(const QKeyEvent& event, int position, KeyNote note) {
    if (event.isAutoRepeat() || count_ == kMostHeld) {
        return false;
    }
    for (int i = 0; i < count_; ++i) {
        if (keys_[i].position == position) {
            return false;
        }
    }
    if (count_ == 0 && window_.isVisible()) {
        window_.grabMouse();
    }
    keys_[count_++] = {position, note};
    return true;
}

std::optional<KeyNote> HeldKeys::Release(const QKeyEvent& event, int position) {
    if (event.isAutoRepeat()) {
        return std::nullopt;
    }
    for (int i = 0; i < count_; ++i) {
        if (keys_[i].position == position) {
            const KeyNote note = keys_[i].note;
            keys_[i] = keys_[--count_];
            if (count_ == 0) {
                window_.releaseMouse();
            }
            return note;
        }
    }
    return std::nullopt;
}

}  // namespace tavrino
