#include "app/mixer_levels.h"

#include <algorithm>
#include <cstdlib>

namespace tavrino {

namespace {

constexpr int kLoudest = 127;
constexpr int kFallPerDecay = 32;  // a released note fades out in at most 0.4 s
constexpr int kSagPerDecay = 4;    // a held note sinks slowly

}  // namespace

bool MixerLevels::NoteOn(std::size_t track, int velocity, int velocityPercent) {
    if (track >= levels_.size()) {
        return false;
    }
    const int scaled = std::min(velocity * velocityPercent / 100, kLoudest);
    std::int16_t& level = levels_[track];
    if (std::abs(level) >= scaled) {
        return false;
    }
    level = static_cast<std::int16_t>(-scaled);
    return true;
}

bool MixerLevels::NoteOff(std::size_t track) {
    if (track >= levels_.size() || levels_[track] >= 0) {
        return false;
    }
    levels_[track] = static_cast<std::int16_t>(-levels_[track]);
    return true;
}

bool MixerLevels::Decay() {
    bool changed = false;
    for (std::int16_t& level : levels_) {
        if (level > 0) {
            level =
                static_cast<std::int16_t>(level > kFallPerDecay - 1 ? level - kFallPerDecay : 0);
        } else if (level < 0) {
            level =
                static_cast<std::int16_t>(level < -(kSagPerDecay - 1) ? level + kSagPerDecay : 0);
        } else {
            continue;
        }
        changed = true;
    }
    return changed;
}

int MixerLevels::BrushIndex(int level) {
    return std::min(std::abs(level) * kBrushCount / (kLoudest + 1), kBrushCount - 1);
}

}  // namespace tavrino
