#pragma once

namespace tavrino {

// Lets the calling thread wake closer to its deadlines, each where the
// system grants it: on Linux the finest timer slack and a modest real-time
// priority, on Windows a 1 ms timer and a time-critical priority, on macOS
// a time constraint. Where it does not, the thread stays as it was. Returns
// whether the priority was granted.
bool SharpenThreadTiming();

}  // namespace tavrino
