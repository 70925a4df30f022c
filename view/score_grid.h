#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "song/midi_song.h"
#include "view/score_window.h"

namespace tavrino {

// The lines of the staff area, as y values.
struct StaffLines {
    std::vector<int> staff;   // the ten lines of the grand staff in view
    std::vector<int> ledger;  // the other line positions in view
};
StaffLines StaffLinesInView(const ScoreLayout& layout, const ScoreWindow& window);

struct BeatLine {
    int x = 0;
    bool barStart = false;
};

// A bar's number and, where the metre changes, its time signature.
struct BarLabel {
    int x = 0;
    std::int64_t number = 0;    // from 1
    std::string timeSignature;  // "3/4"; empty when unchanged
};

struct BarGrid {
    std::vector<BeatLine> lines;
    std::vector<BarLabel> labels;
    std::string openingTimeSignature;  // the metre at the window's start
};

// The bar of the window's start: the last bar that begins before the first
// tick, never the last bar of all, 0 when none.
std::int64_t CurrentBarIndex(const BarTable& bars, std::int32_t firstTick);

// Bar and beat lines of the window; without a bar list, a plain line every
// quarter note and no labels.
BarGrid BarGridInView(const MidiSong& song, const ScoreLayout& layout, const ScoreWindow& window);

// The top of the row that holds bar numbers (and of the key name); time
// signatures go two staff positions lower.
int BarNumberRowY(const ScoreLayout& layout);

// Where the clef images go. They are drawn for a step spacing of
// kClefDesignSpacing and scale with it, so that they always fit the staff.
inline constexpr int kClefDesignSpacing = 6;
inline constexpr int kClefImageWidth = 40;
inline constexpr int kClefImageHeight = 70;
PixelRect TrebleClefRect(const ScoreLayout& layout, const ScoreWindow& window);
PixelRect BassClefRect(const ScoreLayout& layout, const ScoreWindow& window);

// The arrows that tell of notes above or below the staff area.
inline constexpr int kArrowSize = 16;
PixelRect NotesAboveArrowRect(const ScoreLayout& layout);
PixelRect NotesBelowArrowRect(const ScoreLayout& layout);

}  // namespace tavrino
