#pragma once

#include <cstdint>
#include <vector>

namespace tavrino {

// The mixer's level meters, one per track: a note-on sets its track's level
// to the note's velocity as the player scales it (held while the note
// sounds), its note-off lets the level decay, and Decay runs ten times a
// second. A level is negative while held, positive while decaying, 0 at rest.
class MixerLevels {
public:
    static constexpr int kBrushCount = 8;

    void Reset(std::size_t trackCount) { levels_.assign(trackCount, 0); }
    std::size_t size() const { return levels_.size(); }
    int level(std::size_t track) const { return levels_[track]; }

    // True when the track's level changed.
    bool NoteOn(std::size_t track, int velocity, int velocityPercent);
    bool NoteOff(std::size_t track);
    // True when any level changed.
    bool Decay();

    // Which of the meter's brushes, from green to red-orange, shows a level.
    static int BrushIndex(int level);

private:
    std::vector<std::int16_t> levels_;
};

}  // namespace tavrino
