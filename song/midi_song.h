#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "song/bar_table.h"
#include "song/message_list.h"
#include "song/midi_event.h"
#include "song/midi_track.h"

namespace tavrino {

using TempoList = std::vector<TempoEvent*>;
using TimeSignatureList = std::vector<TimeSignatureEvent*>;

// A bar:beat:tick position: bar and beat count from 1, beats are always
// quarter notes, the tick within the beat counts from 0.
struct BarBeat {
    int bar = 0;
    int beat = 0;
    int tick = 0;
};

struct Meter {
    int numerator = 4;
    std::int64_t denominator = 4;
};

inline constexpr std::int32_t kDefaultTempo = 500000;  // microseconds per quarter: 120 bpm
// The beats per minute a tempo event can hold: slower overflows its three
// bytes of microseconds, faster leaves less than one microsecond a quarter.
inline constexpr double kSlowestBeatsPerMinute = 3.58;
inline constexpr double kFastestBeatsPerMinute = 60000000;

// The in-memory form of one Standard MIDI File. Times are absolute ticks; the
// unit is `division` ticks per quarter note. The song owns its tracks; the
// song-wide lists hold references to events the tracks own.
class MidiSong {
public:
    MidiSong() = default;
    MidiSong(const MidiSong&) = delete;
    MidiSong& operator=(const MidiSong&) = delete;
    // Takes over another song's tracks and lists, so that a song can be read
    // aside and replace the open one only once it loaded.
    MidiSong(MidiSong&&) = default;
    MidiSong& operator=(MidiSong&&) = default;

    // Empties the song: no tracks, no lists, key "C", division and format 0.
    void Reset();
    int TrackIndexOf(const MidiTrack* track) const;
    // Drops from `messages`, `tempos` and `timeSignatures`, in one pass each,
    // every event that no longer belongs to a track (its `track` cleared).
    // True when a time signature went: the bars then need rebuilding.
    bool UnlistDetached();

    // Microseconds per quarter note in force at the tick: set by the last tempo
    // change before it (one exactly at the tick is not yet in force), or by the
    // first change when none comes earlier; 120 bpm in a song without any.
    std::int32_t TempoAt(std::int32_t tick) const;
    Meter TimeSignatureAt(std::int32_t tick) const;
    // The key signature in force at the tick: the last one at or before it in
    // any track (the song's first when none comes earlier); none in a song
    // without key signatures.
    const KeySignatureEvent* KeySignatureAt(std::int32_t tick) const;
    void RebuildBars();

    // Empty when the tick lies outside 0..songLength.
    std::optional<BarBeat> TickToBarBeat(std::int32_t tick) const;
    // Clamped to the song; 0 beyond the bar table.
    std::int32_t BarBeatToTick(int bar, int beat, int tick) const;

    std::string path;
    std::string keyText = "C";
    std::int32_t correctedCount = 0;
    std::int32_t unfinishedCount = 0;
    std::int32_t overlappedCount = 0;
    std::string pairingReport;  // diagnostics of the last note pairing
    std::int16_t loading = 0;
    std::int32_t songLength = 0;  // tick of the last event
    std::string lastError;
    std::int16_t format = 0;
    std::int16_t division = 0;
    MessageList messages;
    std::vector<std::unique_ptr<MidiTrack>> tracks;
    TempoList tempos;
    TimeSignatureList timeSignatures;
    BarTable bars;
};

}  // namespace tavrino
