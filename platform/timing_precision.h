#pragma once

namespace tavrino {

// Lets the calling thread wake closer to its deadlines: the finest timer
// slack and a modest real-time priority, each where the system grants it;
// where it does not, the thread stays as it was. Returns whether the
// real-time priority was granted.
bool SharpenThreadTiming();

}  // namespace tavrino
