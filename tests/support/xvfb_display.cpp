#include "support/xvfb_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/child_process.h"

extern char** environ;

namespace tavrino::test {

bool XvfbDisplay::Start() {
    int ready[2];
    if (pipe(ready) != 0) {
        problem_ = "no pipe for Xvfb";
        return false;
    }
    // Xvfb writes the display number it took to descriptor 3 once clients
    // can connect.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ready[1], 3);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const char* argv[] = {"Xvfb",    "-displayfd", "3",           "-nolisten", "tcp",
                          "-screen", "0",          "1280x960x24", nullptr};
    const int spawned =
        posix_spawnp(&pid_, argv[0], &files, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&files);
    close(ready[1]);
    if (spawned != 0) {
        close(ready[0]);
        pid_ = -1;
        problem_ = "Xvfb cannot be run (scripts/setup installs it)";
        return false;
    }
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char digit = 0;
    while (poll(&wait, 1, 20'000) == 1 && read(ready[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    close(ready[0]);
    if (number.empty()) {
        Stop();
        problem_ = "Xvfb took no display within 20 s";
        return false;
    }
    name_ = ":" + number;
    return true;
}

void XvfbDisplay::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool XvfbDisplay::Screenshot(const std::string& path) const {
    return std::system(("import -display " + name_ + " -window root '" + path + "'").c_str()) == 0;
}

std::string XvfbDisplay::WindowTitles() const {
    return OutputOf("xwininfo -display " + name_ + " -root -tree");
}

}  // namespace tavrino::test
