#pragma once

#include <initializer_list>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Io {
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    std::string_view name;
    std::string_view usage;    // arguments after the command's name
    std::string_view summary;  // one line for the command list
    std::string_view help;     // what the arguments and options mean
    int (*run)(const Command& self, const std::vector<std::string>& args, Io& io);
};

// Runs `tavrino-tool ARGS...` (ARGS without the program name) and returns its
// exit status.
int RunTool(const std::vector<std::string>& args, Io io);

// The whole process: the system's arguments as UTF-8, standard output taken
// byte for byte, and the exit status.
int RunToolProcess(int argc, char** argv);

// The commands this build of the tool has, in the order --help lists them.
// Each tool program links one definition: the file and harmonica commands
// alone (core_command_set.cpp, a build without Qt), or every command.
std::vector<Command> ToolCommands();

// The groups' commands in one list.
std::vector<Command> JoinCommands(std::initializer_list<std::span<const Command>> groups);

// The commands of each area.
std::span<const Command> SongCommands();
std::span<const Command> DocumentCommands();
std::span<const Command> TabTrackCommands();
std::span<const Command> HarmonicaCommands();
std::span<const Command> PlaybackCommands();
std::span<const Command> ScoreCommands();
std::span<const Command> PlayListCommands();
std::span<const Command> SnapshotCommands();
std::span<const Command> LyricsCommands();
std::span<const Command> PrintCommands();

}  // namespace tavrino::tool
