#pragma once

// Runs tavrino-tool in-process and keeps what it printed, and makes files in
// a temporary folder for it to read.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tools/tool.h"

namespace tavrino::test {

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline ToolRun RunToolWith(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = tool::RunTool(args, {out, err});
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The text's lines, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A fresh folder, removed with everything in it at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder() { std::filesystem::remove_all(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes the bytes to a file of the folder and returns its path.
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace tavrino::test
