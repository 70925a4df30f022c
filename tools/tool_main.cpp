#include "tools/tool.h"

int main(int argc, char** argv) {
    return tavrino::tool::RunToolProcess(argc, argv);
}
