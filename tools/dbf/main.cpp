#include <iostream>

#include "dbf_tool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zentrix::tools::runDbfTool(args, std::cout, std::cerr);
}
