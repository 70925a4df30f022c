#include <iostream>

#include "tools/tool.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tavrino::tool::RunTool(args, {std::cout, std::cerr});
}
