// zentrix-bank: builds and inspects question banks for exam authors.

#include <iostream>
#include <string>
#include <vector>

#include "tools/bank/bank_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return zentrix::banktool::BankCommand::run(args, std::cout, std::cerr);
}
