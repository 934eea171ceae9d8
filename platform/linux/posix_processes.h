#pragma once

// Processes started with fork and exec, kept as children so that their end
// is seen exactly (waitpid) rather than guessed from a reusable process id.

#include <map>

#include "platform/processes.h"

namespace zentrix::platform {

class PosixProcesses : public Processes {
public:
    Result<ProcessId> start(const LaunchRequest& request) override;
    bool isRunning(ProcessId process) override;
    Result<int> waitForExit(ProcessId process, const std::function<bool()>& poll,
                            std::chrono::milliseconds interval) override;

private:
    // Reaps the child if it has ended; true while it runs.
    bool childRunning(ProcessId process);

    std::map<ProcessId, int> exitCodes_;  // ended children
};

}  // namespace zentrix::platform
