#include "tools/tool.h"

namespace tavrino::tool {

std::vector<Command> ToolCommands() {
    return JoinCommands({SongCommands(), DocumentCommands(), TabTrackCommands(),
                         HarmonicaCommands(), PlaybackCommands(), ScoreCommands(),
                         PlayListCommands(), SnapshotCommands(), LyricsCommands(),
                         PrintCommands()});
}

}  // namespace tavrino::tool
