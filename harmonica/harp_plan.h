#pragma once

#include <optional>
#include <vector>

#include "harmonica/key_ranking.h"
#include "harmonica/song_key.h"
#include "harmonica/song_survey.h"

namespace tavrino {

// Which harmonica to play a song on, and in which position: the part that
// was counted, the song's key, and every key of the tuning ranked.
struct HarpPlan {
    std::vector<TrackNotes> counted;
    // Why these tracks: none when they were asked for.
    std::optional<MelodyReason> reason;
    std::optional<SongKey> key;
    std::vector<KeyFit> fits;  // best first
    int keyOffset = 0;         // of the tuning, to name the harmonicas

    // The position the harmonica plays the song in; none without a key.
    std::optional<int> PositionOf(const KeyFit& fit) const;
};

// Plans over the surveyed tracks: those in `asked` (indices into the song's
// tracks) when given, else the melody among them. The key comes from the
// song's key signature, else from all the surveyed notes.
HarpPlan PlanHarps(const MidiSong& song, const std::vector<TrackNotes>& survey,
                   const DiatonicTuning& tuning,
                   const std::optional<std::vector<std::size_t>>& asked = std::nullopt);

// The harmonica's name in the key list: "G Std".
std::string HarpName(const KeyFit& fit);
// Bends of any depth, valved bends included.
int BendCount(const KeyFit& fit);

}  // namespace tavrino
