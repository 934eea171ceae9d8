#pragma once

// The zentrix-bank command line: parses the arguments, runs one command and
// gives the exit status (0 done, 1 failed, 2 bad usage). Options may stand
// before or after the arguments; every command takes --help. Output and error
// text go to the streams given, so tests can run commands in-process.

#include <iosfwd>
#include <string>
#include <vector>

namespace zentrix::banktool {

class BankCommand {
public:
    static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static std::string usage();
};

}  // namespace zentrix::banktool
