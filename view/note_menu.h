#pragma once

#include <string>
#include <vector>

#include "song/midi_song.h"
#include "view/tab_text.h"

namespace tavrino {

// The commands of a note's context menu, by their long-standing numbers.
enum NoteMenuCommand : int {
    kMenuSeparator = -1,
    kMenuAlternatesTitle = 0,
    kMenuHideTrack = 2013,
    kMenuShowOnlyTrack = 2014,
    kMenuTrackProperties = 2018,
    kMenuDeleteTrack = 2019,
    kMenuDeleteNote = 2100,
    kMenuHighlightTrack = 2101,
    kMenuFirstAlternate = 2200,  // + n for the n-th alternative tablature
};

struct NoteMenuEntry {
    int command = kMenuSeparator;
    std::string text;
};

// The menu for a note: its title (which toggles the track's highlight), the
// commands that change the song unless the song is playing, and the other
// ways to play the note on the harmonica.
std::vector<NoteMenuEntry> NoteMenuEntries(const MidiSong& song, const MidiEvent& note,
                                           bool playing, const TabSource& tabs);

}  // namespace tavrino
