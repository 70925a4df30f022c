#pragma once

#include <cstdint>

#include "app/frame_view.h"
#include "app/status_panes.h"
#include "player/player.h"
#include "song/midi_song.h"

namespace tavrino {

// The play position in the status bar and in the view's scroll bar.
class PositionDisplay {
public:
    PositionDisplay(StatusPanes& panes, FrameView& view, const Player& player, const MidiSong& song)
        : panes_(panes), view_(view), player_(player), song_(song) {}

    // -1 shows the player's current position.
    void ShowPosition(std::int32_t tick);

private:
    StatusPanes& panes_;
    FrameView& view_;
    const Player& player_;
    const MidiSong& song_;
};

}  // namespace tavrino
