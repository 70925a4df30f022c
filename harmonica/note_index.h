#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrino {

inline constexpr int kNoteCount = 128;

// One way to play a note, packed in 16 bits as each layout describes.
using TabEntry = std::uint16_t;

// For each MIDI note 0-127, every way a harmonica plays it, in order of
// preference: entry 0 is the tab shown, the others are the alternates.
// Built once per tuning and key, so that lookups while drawing and playing
// are one array access.
class NoteIndex {
public:
    void Clear() {
        for (auto& list : lists_) {
            list.clear();
        }
    }

    // Files the entry under the note, in front of the first entry for which
    // `goesBefore(existing)` holds, else last. A note outside 0-127 is not a
    // MIDI note and is left out: no tab may claim to play a note it does not
    // sound.
    template <class GoesBefore>
    void File(int note, TabEntry entry, GoesBefore goesBefore) {
        if (note < 0 || note >= kNoteCount) {
            return;
        }
        auto& list = lists_[note];
        list.insert(std::find_if(list.begin(), list.end(), goesBefore), entry);
    }

    // Empty outside 0-127.
    std::span<const TabEntry> operator[](int note) const {
        if (note < 0 || note >= kNoteCount) {
            return {};
        }
        return lists_[note];
    }

private:
    std::array<std::vector<TabEntry>, kNoteCount> lists_;
};

}  // namespace tavrino
