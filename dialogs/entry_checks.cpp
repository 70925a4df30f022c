#include "dialogs/entry_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavrino {

namespace {

// Bars are as long as their meter says, except one cut short by the next
// time signature.
std::int64_t BarLength(const MidiSong& song, std::int64_t barIndex) {
    const Bar bar = song.bars[barIndex];
    if (barIndex + 1 < song.bars.size()) {
        return song.bars[barIndex + 1].start - bar.start;
    }
    const TimeSignatureEvent& signature =
        *song.timeSignatures[static_cast<std::size_t>(bar.timeSignature)];
    return std::int64_t{song.division} * signature.numerator() * 4 / signature.denominator();
}

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string PositionText(const BarBeat& position) {
    return Format("%03d:%02d:%03d", position.bar, position.beat, position.tick);
}

std::optional<EntryProblem> CheckWithoutBars(const BarBeat& position) {
    if (position.bar != 1) {
        return EntryProblem{EntryField::kBar, "The song has only bar 1 yet: please enter bar 1."};
    }
    if (position.beat != 1 || position.tick != 0) {
        return EntryProblem{position.beat != 1 ? EntryField::kBeat : EntryField::kTick,
                            "The song is empty yet: its only position is 001:01:000."};
    }
    return std::nullopt;
}

}  // namespace

std::optional<EntryProblem> CheckPosition(const MidiSong& song, const BarBeat& position) {
    if (song.bars.empty() || song.division <= 0) {
        return CheckWithoutBars(position);
    }
    const std::int64_t barCount = song.bars.size();
    if (position.bar < 1 || position.bar > barCount) {
        return EntryProblem{EntryField::kBar, Format("Please enter a bar between 1 and %lld.",
                                                     static_cast<long long>(barCount))};
    }
    const std::int64_t length = BarLength(song, position.bar - 1);
    const std::int64_t beats = (length + song.division - 1) / song.division;
    if (position.beat < 1 || position.beat > beats) {
        return EntryProblem{
            EntryField::kBeat,
            Format("Bar %d has %lld beats: please enter a beat between 1 and %lld.", position.bar,
                   static_cast<long long>(beats), static_cast<long long>(beats))};
    }
    // The last beat of a bar such as 7/8 is shorter than a quarter note.
    const std::int64_t beatStart = std::int64_t{position.beat - 1} * song.division;
    const std::int64_t ticks = std::min<std::int64_t>(song.division, length - beatStart);
    if (position.tick < 0 || position.tick >= ticks) {
        return EntryProblem{EntryField::kTick, Format("Please enter a tick between 0 and %lld.",
                                                      static_cast<long long>(ticks - 1))};
    }
    if (PositionTick(song, position) > song.songLength) {
        const BarBeat end = song.TickToBarBeat(song.songLength).value_or(BarBeat{1, 1, 0});
        return EntryProblem{EntryField::kBar, "The song ends at " + PositionText(end) + ": " +
                                                  PositionText(position) + " lies beyond it."};
    }
    return std::nullopt;
}

std::int32_t PositionTick(const MidiSong& song, const BarBeat& position) {
    if (song.bars.empty() || position.bar < 1 || position.bar > song.bars.size()) {
        return 0;
    }
    const std::int64_t tick = song.bars[position.bar - 1].start +
                              std::int64_t{position.beat - 1} * song.division + position.tick;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(tick, 0, INT32_MAX));
}

std::optional<EntryProblem> CheckValue(double value, const ValueRange& range) {
    const double entered = EnteredValue(value, range);
    if (std::isfinite(entered) && entered >= range.minimum && entered <= range.maximum) {
        return std::nullopt;
    }
    const char* format = range.integer ? "Please enter a value between %.0f and %.0f."
                                       : "Please enter a value between %.2f and %.0f.";
    return EntryProblem{EntryField::kValue, Format(format, range.minimum, range.maximum)};
}

double EnteredValue(double value, const ValueRange& range) {
    return range.integer ? std::trunc(value) : value;
}

}  // namespace tavrino
