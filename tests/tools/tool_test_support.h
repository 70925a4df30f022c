#pragma once

// Runs tavrino-tool in-process and keeps what it printed, and makes files in
// a temporary folder for it to read.

#include <sstream>
#include <string>
#include <vector>

#include "support/temporary_folder.h"
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

}  // namespace tavrino::test
