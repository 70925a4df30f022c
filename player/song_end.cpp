#include "player/song_end.h"

namespace tavrino {

SongEnd DecideSongEnd(const PlayList& list, int repeatMode, bool beginMarkSet,
                      const PlayList::EntryCheck& playable) {
    if (beginMarkSet) {
        return {SongEnd::kReplayMarked};
    }
    const int count = static_cast<int>(list.size());
    if (repeatMode == kRepeatOne || (repeatMode == kRepeatAll && count == 1)) {
        return {SongEnd::kReplaySong};
    }
    if (repeatMode == kRepeatAll) {
        if (const std::optional<int> next = list.Neighbour(1, playable)) {
            return {SongEnd::kOpenEntry, *next};
        }
        // The open song is the only one left to play.
        return {count > 0 ? SongEnd::kReplaySong : SongEnd::kStayAtStart};
    }
    for (int index = list.current() + 1; index < count; ++index) {
        if (playable(list.path(index))) {
            return {SongEnd::kOpenEntry, index};
        }
    }
    return {SongEnd::kStayAtStart};
}

}  // namespace tavrino
