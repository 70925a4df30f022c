#include "view/note_menu.h"

#include <cstdio>

#include "harmonica/note_naming.h"

namespace tavrino {

std::vector<NoteMenuEntry> NoteMenuEntries(const MidiSong& song, const MidiEvent& note,
                                           bool playing, const TabSource& tabs) {
    const int trackIndex = song.TrackIndexOf(note.track);
    char title[64];
    std::snprintf(title, sizeof title, "%s Trk:%02d ",
                  std::string(NoteName(note.data1, tabs.namingSystem)).c_str(), trackIndex);
    std::vector<NoteMenuEntry> entries{
        {kMenuHighlightTrack, title + (note.track != nullptr ? note.track->name : std::string())}};
    if (!playing) {
        entries.insert(entries.end(), {{kMenuSeparator, {}},
                                       {kMenuTrackProperties, "Track &Properties"},
                                       {kMenuHideTrack, "&Hide Track"},
                                       {kMenuShowOnlyTrack, "&Show Only this Track"},
                                       {kMenuSeparator, {}},
                                       {kMenuDeleteNote, "Note &Delete"},
                                       {kMenuDeleteTrack, "&Track Delete"}});
    }
    for (int n = 1;; ++n) {
        const NoteTabText tab = TabTextForNote(tabs, note.data1, n, true);
        if (!tab.exists) {
            break;
        }
        if (n == 1) {
            entries.insert(entries.end(),
                           {{kMenuSeparator, {}}, {kMenuAlternatesTitle, "Alternates:"}});
        }
        entries.push_back({kMenuFirstAlternate + n, "    " + tab.symbol + tab.holeText});
    }
    return entries;
}

}  // namespace tavrino
