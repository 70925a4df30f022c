#include "support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

extern char** environ;

namespace tavrino::test {

pid_t StartProgram(std::vector<std::string> args, bool keepErrors,
                   const std::vector<std::string>& environment) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool overridden = false;
        for (const std::string& given : environment) {
            overridden = overridden || given.starts_with(name);
        }
        if (!overridden) {
            variables.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!keepErrors) {
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    return spawned == 0 ? pid : -1;
}

std::string OutputOf(const std::string& command) {
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    if (!pipe) {
        return output;
    }
    char chunk[4096];
    for (std::size_t read = 0; (read = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0;) {
        output.append(chunk, read);
    }
    return output;
}

}  // namespace tavrino::test
