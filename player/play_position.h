#pragma once

#include <atomic>
#include <cstdint>

namespace tavrino {

// Where the music stands, shared with the main frame: the frame reads and
// writes these while it handles the player's messages.
struct PlayPosition {
    // The song tick shown as the play position.
    std::atomic<std::int32_t> current{0};
    // Stream tick minus song tick, count-in included.
    std::atomic<std::int64_t> offset{0};
    // The next event whose start the frame has not shown yet; -1 when reset.
    std::atomic<std::int32_t> displayIndex{-1};
    std::atomic<std::int32_t> lastShown{0};
};

// What the score draws playback from: whether music plays, and where.
class PlayPositionSource {
public:
    virtual ~PlayPositionSource() = default;

    virtual bool IsPlaying() const = 0;
    virtual const PlayPosition& SharedPosition() const = 0;
};

}  // namespace tavrino
