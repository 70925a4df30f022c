#pragma once

namespace tavrino {

// The monitor windows by kind; the main frame keeps at most one of each open.
// The numbers are those of the "Mon%dOn" and "Mon%d." settings keys.
enum MonitorKind : int {
    kNoMonitor = 0,
    kMixerMonitor = 1,
    kPianoMonitor = 2,
    kDiatonicMonitor = 3,
    kChromaticMonitor = 4,
    kLyricsMonitor = 5,
};

// Kinds 0 to kMonitorKindCount - 1 have a "Mon%dOn" flag.
inline constexpr int kMonitorKindCount = 6;

}  // namespace tavrino
