#pragma once

#include <cstddef>
#include <cstdint>

#include "player/stream_record.h"
#include "song/midi_song.h"

namespace tavrino {

// The metronome: a rim click on the percussion channel.
inline constexpr std::uint32_t kClickOn = ShortMessageWord(0x99, 60, 96);
inline constexpr std::uint32_t kClickOff = ShortMessageWord(0x89, 60, 0);

// The stream record of a playable event: a channel message, with a note-on's
// velocity scaled by its track's volume percent, or a tempo change.
std::uint32_t EventWord(const MidiEvent& event);

// The walk through the song that turns its events into stream buffers, about
// one step of song time per buffer, with tick markers on the step grid, an
// event marker before the first sounding event of a tick, and in edit mode the
// metronome on the beats.
//
// A buffer that runs full ends where it is, and the next fill goes on at the
// same record with the timing carried over, so nothing is ever dropped.
class BufferFiller {
public:
    struct Grid {
        std::int32_t step = 1;      // ticks per buffer and between tick markers
        std::int32_t division = 1;  // ticks per quarter: the metronome's beat
        bool editMode = false;
    };

    // Puts the cursor on `tick`, at the song's event `eventIndex`.
    void Start(std::int64_t tick, std::size_t eventIndex);

    // Fills the buffer with song data from the cursor on. Returns whether the
    // walk has passed the song's last event; the buffer's user word says so
    // too.
    bool FillSong(StreamBuffer& buffer, const MessageList& messages, const Grid& grid);

    // Fills the buffer with `beats` clicks one `beat` apart, placed so that
    // the clicks fall on the song's beat grid and the song's first record
    // lands (beats + 1) beats after play begins. Carries no markers.
    void FillCountIn(StreamBuffer& buffer, std::int64_t beat, int beats);

    // How many events the walk has taken at the cursor tick: the event index
    // counted from the first event at or after the cursor. An insertion into
    // the list moves indices but not this, so the walk can find its place
    // again with Resume.
    std::size_t TakenAtCursor(const MessageList& messages) const;
    void Resume(const MessageList& messages, std::size_t takenAtCursor);

private:
    // How far the visit of the cursor tick got when a full buffer ended it.
    enum class Stage { kTickMarker, kEvents, kMetronome };

    bool Append(StreamBuffer& buffer, std::uint32_t event, std::uint32_t markerHigh = 0);
    bool AppendMarker(StreamBuffer& buffer, std::uint32_t parameter);
    // Visits the cursor tick; false when the buffer ran full first.
    bool VisitTick(StreamBuffer& buffer, const MessageList& messages, const Grid& grid);
    std::size_t FirstAtOrAfterCursor(const MessageList& messages) const;

    std::int64_t tick_ = 0;
    std::size_t eventIndex_ = 0;
    std::int64_t pendingDelta_ = 0;
    bool songEnded_ = false;
    Stage stage_ = Stage::kTickMarker;
    bool eventMarkerWritten_ = false;
};

}  // namespace tavrino
