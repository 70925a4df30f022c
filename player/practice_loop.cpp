#include "player/practice_loop.h"

#include <algorithm>

namespace tavrino {

bool StepsLoopTempo(const Settings& settings) {
    return settings.loopTempoStep > 0;
}

int FirstPassTempo(const Settings& settings, int current) {
    return StepsLoopTempo(settings)
               ? std::clamp<int>(settings.loopTempoStart, kLeastTempoPercent, kMostTempoPercent)
               : current;
}

int NextPassTempo(const Settings& settings, int percent) {
    if (!StepsLoopTempo(settings) || percent >= settings.loopTempoTop) {
        return percent;
    }
    return std::min<int>(
        {percent + settings.loopTempoStep, settings.loopTempoTop, kMostTempoPercent});
}

}  // namespace tavrino
