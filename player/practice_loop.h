#pragma once

#include "settings/settings.h"

namespace tavrino {

// A practice loop plays the passage between the marks over and over; with a
// tempo step each pass runs faster than the one before, up to a top speed.

// Whether passes change the tempo at all.
bool StepsLoopTempo(const Settings& settings);

// The tempo percent of the first pass; `current` when passes keep the tempo.
int FirstPassTempo(const Settings& settings, int current);

// The tempo percent of the pass after one played at `percent`: the step
// added, never beyond the top (nor below the percent, when the top was set
// lower than the start).
int NextPassTempo(const Settings& settings, int percent);

}  // namespace tavrino
