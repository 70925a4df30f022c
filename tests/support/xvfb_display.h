#pragma once

// A virtual X display of the test's own, for running the desktop program as
// a user would and looking at what it shows.

#include <sys/types.h>

#include <string>

namespace tavrino::test {

class XvfbDisplay {
public:
    XvfbDisplay() = default;
    ~XvfbDisplay() { Stop(); }
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    // Starts Xvfb on the first free display number and waits until it takes
    // clients. False, with Problem() saying why, when it cannot start.
    bool Start();
    void Stop();

    // ":N", for DISPLAY.
    const std::string& Name() const { return name_; }
    const std::string& Problem() const { return problem_; }

    // Saves the whole screen as a PNG; false when it cannot.
    bool Screenshot(const std::string& path) const;
    // The titles of every window on the screen, one a line.
    std::string WindowTitles() const;

private:
    std::string name_;
    std::string problem_;
    pid_t pid_ = -1;
};

}  // namespace tavrino::test
