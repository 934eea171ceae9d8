#pragma once

#include <string>

namespace zentrix::tools {

// zentrix-sim play FILE [--test-mode]: plays a simulation file in a window of
// its own and prints each outcome on standard output ("correct", "incorrect
// at frame n"). Exit status: 0 the last outcome was correct, 3 incorrect,
// 4 the window was closed before any outcome, 2 the file cannot be played,
// 1 usage.
int playCommand(int argc, char** argv, const std::string& file, bool testMode);

}  // namespace zentrix::tools
