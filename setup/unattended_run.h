#pragma once

// The setup program without a window, for training centres that roll the
// product out to many seats from a script: the same flows, every question
// answered Yes, each status line and message printed, and an exit status
// that says whether anything failed.

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "setup/setup_command_line.h"
#include "setup/setup_location.h"

namespace zentrix::setup {

class UnattendedRun {
public:
    // `out` gets progress lines, `err` the error messages.
    UnattendedRun(platform::Platform& platform, SetupLocation& location, std::ostream& out,
                  std::ostream& err);

    // Gives the exit status: 0 done (also: nothing to do), 1 a failure was
    // reported or the run was refused.
    int run(const SetupCommandLine& line);

private:
    platform::Platform& platform_;
    SetupLocation& location_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace zentrix::setup
