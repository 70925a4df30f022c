#include "tools/tool.h"

#include <algorithm>
#include <iomanip>

#include "tools/file_output_buffer.h"

namespace tavrino::tool {

namespace {

constexpr std::string_view kSummary =
    "tavrino-tool: the headless companion of Tavrino, the MIDI player for harmonica players.";

void PrintToolHelp(const std::vector<Command>& commands, std::ostream& out) {
    out << kSummary << "\n\n"
        << "usage: tavrino-tool COMMAND [ARGUMENTS]\n"
        << "       tavrino-tool COMMAND --help\n"
        << "       tavrino-tool --version\n\n"
        << "commands:\n";
    for (const Command& command : commands) {
        out << "  " << std::left << std::setw(10) << command.name << command.summary << "\n";
    }
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
    out << "usage: tavrino-tool " << command.name << " " << command.usage << "\n\n"
        << command.summary << "\n";
    if (!command.help.empty()) {
        out << "\n" << command.help;
    }
}

int RunCommand(const std::vector<std::string>& args, Io& io) {
    const std::vector<Command> commands = ToolCommands();
    if (args.empty()) {
        PrintToolHelp(commands, io.err);
        return kExitUsage;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") {
        PrintToolHelp(commands, io.out);
        return kExitOk;
    }
    if (first == "--version") {
        io.out << "tavrino-tool " << TAVRINO_VERSION << "\n";
        return kExitOk;
    }
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&first](const Command& c) { return c.name == first; });
    if (command == commands.end()) {
        io.err << "tavrino-tool: unknown command \"" << first << "\"\n"
               << "Try 'tavrino-tool --help'.\n";
        return kExitUsage;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        PrintCommandHelp(*command, io.out);
        return kExitOk;
    }
    return command->run(*command, rest, io);
}

// Output that never arrived (a full disk, a closed pipe) is a failure the
// user must hear of, whatever the command reported.
int CheckOutput(int status, Io& io) {
    if (io.out.flush()) {
        return status;
    }
    const auto* file = dynamic_cast<const FileOutputBuffer*>(io.out.rdbuf());
    const std::string reason =
        file != nullptr && !file->failure().empty() ? file->failure() : "the stream failed";
    io.err << "tavrino-tool: cannot write to standard output: " << reason << "\n";
    return status == kExitOk ? kExitFailure : status;
}

}  // namespace

std::vector<Command> JoinCommands(std::initializer_list<std::span<const Command>> groups) {
    std::vector<Command> commands;
    for (const auto group : groups) {
        commands.insert(commands.end(), group.begin(), group.end());
    }
    return commands;
}

int RunTool(const std::vector<std::string>& args, Io io) {
    return CheckOutput(RunCommand(args, io), io);
}

}  // namespace tavrino::tool
