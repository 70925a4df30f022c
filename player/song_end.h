#pragma once

#include "player/play_list.h"

namespace tavrino {

// What follows when a song has played to its end.
struct SongEnd {
    enum Action {
        kStayAtStart,   // the player waits at the beginning of the song
        kReplayMarked,  // the marked passage plays again
        kReplaySong,    // the song plays again from its start
        kOpenEntry,     // `entry` of the play list is opened and played
    };
    Action action = kStayAtStart;
    int entry = 0;
};

// The repeat modes of "playerRepeat".
inline constexpr int kRepeatNone = 0;
inline constexpr int kRepeatOne = 1;
inline constexpr int kRepeatAll = 2;

// Decides from the begin mark, the repeat mode and the list. Entries
// `playable` refuses are passed over; when none is left the player stays, so
// a list of missing files never spins.
SongEnd DecideSongEnd(const PlayList& list, int repeatMode, bool beginMarkSet,
                      const PlayList::EntryCheck& playable);

}  // namespace tavrino
