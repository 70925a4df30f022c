#include "document/note_writing.h"

#include <algorithm>

#include "document/song_edits.h"

namespace tavrino {

NoteTiming NoteValueTiming(int index, int percent, int division) {
    const NoteValue value = kNoteValues[index >= 0 && index < static_cast<int>(kNoteValues.size())
                                            ? static_cast<std::size_t>(index)
                                            : kDefaultNoteValue];
    const std::int64_t length =
        std::max<std::int64_t>(1, std::int64_t{division} * value.numerator / value.denominator);
    const std::int64_t sounding =
        std::clamp<std::int64_t>(length * std::clamp(percent, 1, 100) / 100, 1, length);
    return {static_cast<std::int32_t>(sounding), static_cast<std::int32_t>(length - sounding)};
}

void SetUpEmptySong(MidiSong& song) {
    song.format = 1;
    song.division = kEditSongDivision;
    song.tracks.push_back(std::make_unique<MidiTrack>());
    // Inserted, the signature joins the song's list of them.
    InsertEvent(song, 0, 0, std::make_unique<TimeSignatureEvent>(4, 4, 24, 8));
    InsertEvent(song, 0, 0, std::make_unique<KeySignatureEvent>(0, 0));
    InsertEvent(song, 0, 0, std::make_unique<TempoEvent>(120.0));
    InsertEvent(song, 0, 0, std::make_unique<EndOfTrackEvent>());
    song.RebuildBars();
}

}  // namespace tavrino
