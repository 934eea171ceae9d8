#pragma once

// The process service: start a program and wait for it to end while the
// caller's event loop keeps running. Where a Windows setup waits for the
// process behind a window class, callers wait for the process that
// Shell::launchProgram started.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::platform {

using ProcessId = int64_t;

struct LaunchRequest {
    std::string program;                 // a path, or a name looked up in the search path
    std::vector<std::string> arguments;  // without the program itself
    std::string workingDir;              // empty: the caller's current folder
};

class Processes {
public:
    virtual ~Processes() = default;

    // Starts the program; fails when it cannot be started at all.
    virtual Result<ProcessId> start(const LaunchRequest& request) = 0;

    virtual bool isRunning(ProcessId process) = 0;

    // Checks every `interval` until the process has ended and gives its exit
    // code (-1 when unknown, as for a process this one did not start). Between
    // checks `poll` runs, so the caller can process its window messages; it
    // returns false to stop waiting, which is reported as a failure.
    virtual Result<int> waitForExit(ProcessId process, const std::function<bool()>& poll,
                                    std::chrono::milliseconds interval) = 0;
};

}  // namespace zentrix::platform
