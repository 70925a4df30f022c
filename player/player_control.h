#pragma once

#include <cstdint>

namespace tavrino {

// The player operations the document uses: it stops playback around
// structural changes, pauses it around a single insertion, and hands over a
// newly loaded song's division and tempo.
class PlayerControl {
public:
    virtual ~PlayerControl() = default;

    virtual bool IsPlaying() const = 0;
    // Stops without notifying the main frame.
    virtual void Stop() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Seek(std::int32_t tick) = 0;
    // Returns the player's result code, 0 when it plays.
    virtual int Play(std::int32_t startTick, bool countIn) = 0;
    virtual void SetDivision(int ticksPerQuarter) = 0;
    virtual void SetTempo(std::int32_t microsecondsPerQuarter) = 0;
    // The song tick the play position shows.
    virtual std::int32_t PlayTick() const = 0;
    // Playback speed in percent of the song's own tempo.
    virtual int TempoPercent() const = 0;
};

}  // namespace tavrino
