#include <unistd.h>

#include <iostream>

#include "tools/file_output_buffer.h"
#include "tools/tool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    tavrino::tool::FileOutputBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return tavrino::tool::RunTool(args, {out, std::cerr});
}
