#include "tools/tool.h"

namespace tavrino::tool {

std::vector<Command> ToolCommands() {
    return JoinCommands({SongCommands(), DocumentCommands(), HarmonicaCommands()});
}

}  // namespace tavrino::tool
