#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "song/midi_song.h"

namespace tavrino {

// The fields of the entry dialogs, so that a refusal can point at the one
// to correct.
enum class EntryField { kBar, kBeat, kTick, kValue };

struct EntryProblem {
    EntryField field;
    std::string message;
};

// The bar:beat:tick positions a song offers: bars 1 to the last bar (bar 1
// alone in a song with no bars yet), beats within the bar's meter, ticks
// within the beat, and nothing past the song's end.
std::optional<EntryProblem> CheckPosition(const MidiSong& song, const BarBeat& position);

// The tick of a position CheckPosition accepts.
std::int32_t PositionTick(const MidiSong& song, const BarBeat& position);

// What a value entry accepts. Integer values are truncated before the check,
// so 127.9 counts as 127.
struct ValueRange {
    double minimum;
    double maximum;
    bool integer;
};

// Controller values (volume, pan) and the data bytes of channel messages.
inline constexpr ValueRange kControllerValues{0, 127, true};
inline constexpr ValueRange kTempoBeatsPerMinute{kSlowestBeatsPerMinute, kFastestBeatsPerMinute,
                                                 false};

std::optional<EntryProblem> CheckValue(double value, const ValueRange& range);

// The number as the value entry keeps it: truncated for integer values.
double EnteredValue(double value, const ValueRange& range);

}  // namespace tavrino
