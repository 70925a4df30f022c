#include "view/score_grid.h"

#include <algorithm>

#include "view/staff.h"

namespace tavrino {

namespace {

std::string MetreText(const MidiSong& song, const Bar& bar) {
    if (bar.timeSignature < 0 ||
        static_cast<std::size_t>(bar.timeSignature) >= song.timeSignatures.size()) {
        return {};
    }
    const TimeSignatureEvent& signature = *song.timeSignatures[bar.timeSignature];
    return std::to_string(signature.numerator()) + "/" + std::to_string(signature.denominator());
}

std::int64_t BeatLength(const MidiSong& song, const Bar& bar, int division) {
    std::int64_t denominator = 4;
    if (bar.timeSignature >= 0 &&
        static_cast<std::size_t>(bar.timeSignature) < song.timeSignatures.size()) {
        denominator = song.timeSignatures[bar.timeSignature]->denominator();
    }
    // A hostile denominator would make beats shorter than a tick.
    return std::max<std::int64_t>(1, std::int64_t{division} * 4 / denominator);
}

void AddQuarterLines(const ScoreLayout& layout, const ScoreWindow& window, BarGrid& grid) {
    for (int x = layout.notesLeft; x < layout.right; x += window.pixelsPerQuarter) {
        grid.lines.push_back({x, false});
    }
}

PixelRect ScaledClef(int top, const ScoreLayout& layout) {
    const int spacing = layout.stepSpacing;
    return {0, top, kClefImageWidth * spacing / kClefDesignSpacing,
            top + kClefImageHeight * spacing / kClefDesignSpacing};
}

}  // namespace

StaffLines StaffLinesInView(const ScoreLayout& layout, const ScoreWindow& window) {
    StaffLines lines;
    const int half = layout.visibleSteps / 2;
    for (int offset = -half; offset <= half; ++offset) {
        const int position = offset + window.centrePosition;
        const int y = layout.middleY - offset * layout.stepSpacing;
        if (IsStaffLine(position)) {
            lines.staff.push_back(y);
        } else if (IsLedgerLine(position)) {
            lines.ledger.push_back(y);
        }
    }
    return lines;
}

std::int64_t CurrentBarIndex(const BarTable& bars, std::int32_t firstTick) {
    if (bars.empty()) {
        return 0;
    }
    const std::int64_t before = firstTick > INT32_MIN ? bars.IndexAt(firstTick - 1) : -1;
    return std::clamp<std::int64_t>(before, 0, std::max<std::int64_t>(0, bars.size() - 2));
}

BarGrid BarGridInView(const MidiSong& song, const ScoreLayout& layout, const ScoreWindow& window) {
    BarGrid grid;
    if (song.bars.empty()) {
        AddQuarterLines(layout, window, grid);
        return grid;
    }
    const std::int64_t first = CurrentBarIndex(song.bars, window.firstTick);
    grid.openingTimeSignature = MetreText(song, song.bars[first]);
    // The opening metre is already written at the left edge.
    std::string lastMetre = grid.openingTimeSignature;
    for (std::int64_t index = first; index < song.bars.size(); ++index) {
        const Bar bar = song.bars[index];
        if (bar.start > window.lastTick) {
            break;
        }
        const std::int64_t end = index + 1 < song.bars.size()
                                     ? std::int64_t{song.bars[index + 1].start}
                                     : std::int64_t{window.lastTick} + 1;
        const std::int64_t beat = BeatLength(song, bar, window.division);
        // Skip the beats before the window rather than walk a long bar.
        std::int64_t n = std::max<std::int64_t>(0, (window.firstTick - bar.start) / beat);
        for (std::int64_t tick = bar.start + n * beat; tick < end && tick <= window.lastTick;
             tick += beat, ++n) {
            if (tick >= window.firstTick) {
                grid.lines.push_back(
                    {TickToX(layout, window, static_cast<std::int32_t>(tick)), n == 0});
            }
        }
        const int x = TickToX(layout, window, bar.start);
        if (x >= layout.notesLeft) {
            std::string metre = MetreText(song, bar);
            BarLabel label{x + 2, index + 1, {}};
            if (metre != lastMetre) {
                label.timeSignature = metre;
                lastMetre = metre;
            }
            grid.labels.push_back(std::move(label));
        }
    }
    return grid;
}

int BarNumberRowY(const ScoreLayout& layout) {
    return std::max(layout.staffTop,
                    layout.middleY - ((layout.visibleSteps + 2) / 4) * layout.stepSpacing * 2 - 1);
}

PixelRect TrebleClefRect(const ScoreLayout& layout, const ScoreWindow& window) {
    const int top = layout.middleY - (40 - window.centrePosition) * layout.stepSpacing -
                    35 * layout.stepSpacing / kClefDesignSpacing;
    return ScaledClef(top, layout);
}

PixelRect BassClefRect(const ScoreLayout& layout, const ScoreWindow& window) {
    PixelRect rect = TrebleClefRect(layout, window);
    const int lower = 9 * layout.stepSpacing;
    return {rect.left, rect.top + lower, rect.right, rect.bottom + lower};
}

PixelRect NotesAboveArrowRect(const ScoreLayout& layout) {
    return {24, layout.staffTop, 24 + kArrowSize, layout.staffTop + kArrowSize};
}

PixelRect NotesBelowArrowRect(const ScoreLayout& layout) {
    return {24, layout.staffBottom - kArrowSize, 24 + kArrowSize, layout.staffBottom};
}

}  // namespace tavrino
