#pragma once

#include <QKeyEvent>
#include <QWidget>
#include <array>
#include <optional>

namespace tavrino {

// A note played from a computer key, and the button it shows on (-1: the
// monitor's own choice).
struct KeyNote {
    int note = 0;
    int cell = -1;
};

// The computer keys a monitor is playing notes with. At most kMostHeld are
// held at once, the limit of what a keyboard reports reliably; the window
// grabs the mouse while any is down so that the key-ups reach it.
class HeldKeys {
public:
    static constexpr int kMostHeld = 9;

    explicit HeldKeys(QWidget& window) : window_(window) {}

    // Takes a key-down of the key at keyboard `position` (KeyPosition);
    // false, holding nothing, for an auto-repeat, a key already held or one
    // too many.
    bool Hold(const QKeyEvent& event, int position, KeyNote note);
    // The note of a held key that went up, which is let go; none for a key
    // that is not held. The note is the one held, even if the monitor's
    // layout changed since, so that no note is left sounding.
    std::optional<KeyNote> Release(const QKeyEvent& event, int position);
    // Lets every key go (the window lost the focus), calling `release` with
    // each note.
    template <typename Release>
    void ReleaseAll(Release release) {
        while (count_ > 0) {
            const KeyNote note = keys_[--count_].note;
            if (count_ == 0) {
                window_.releaseMouse();
            }
            release(note);
        }
    }
    int count() const { return count_; }

private:
    struct Key {
        int position = 0;
        KeyNote note;
    };

    QWidget& window_;
    std::array<Key, kMostHeld> keys_{};
    int count_ = 0;
};

}  // namespace tavrino
