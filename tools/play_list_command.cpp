// The playlist command: a play list file's entries as the program reads them.

#include "player/play_list_file.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

constexpr int kExitDamaged = 3;

int RunPlayList(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 1, 1, io, exitCode)) {
        return exitCode;
    }
    const std::string& path = line.positionals().front();
    const PlayListFile file = ReadPlayList(path);
    if (file.status == PlayListFile::kCannotOpen) {
        io.err << "tavrino-tool: cannot read " << path << "\n";
        return kExitFailure;
    }
    if (file.status == PlayListFile::kNotAPlayList) {
        io.err << "tavrino-tool: " << path << " is not a play list (it does not start with "
               << kPlayListKeyword << ")\n";
        return kExitDamaged;
    }
    for (const std::string& entry : file.paths) {
        io.out << entry << (IsExistingFile(entry) ? "" : "\t(missing)") << "\n";
    }
    return kExitOk;
}

const Command kCommands[] = {
    {"playlist", "LIST", "Print the entries of a play list file, one path a line.",
     "Relative paths are shown resolved against the list's folder; entries whose\n"
     "file does not exist are marked \"(missing)\" after a tab. LIST is a .lst file\n"
     "of Tavrino or an .m3u/.m3u8 list. Exits with 3 when LIST is no play list.\n",
     RunPlayList},
};

}  // namespace

std::span<const Command> PlayListCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
