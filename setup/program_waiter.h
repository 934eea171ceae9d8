#pragma once

// The wait for a program a setup-only group started: until it has ended,
// a pause, then a second program that it may have handed over to. The
// waits have no time limit of their own; after 30 seconds the host offers
// a way out ("Stop waiting"), and the install then goes on.
//
// Time is counted in the host's wait steps, never read from a clock, so a
// test host that does not sleep runs every wait at once.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "platform/processes.h"
#include "setup/process_finder.h"
#include "setup/setup_host.h"

namespace zentrix::setup {

struct ProgramWait {
    std::optional<platform::ProcessId> started;  // the process the group started, if any
    std::string programName;                     // WindowClassName: awaited when none was started
    int pauseAfterFinishMs = 0;
    std::string alternateProgramName;  // AlternateWindowClassName
    std::string alternateDescription;
};

class ProgramWaiter {
public:
    static constexpr std::chrono::milliseconds kPollInterval{50};
    static constexpr std::chrono::milliseconds kStopOfferedAfter{30000};

    enum class Outcome { Ended, Stopped };

    // Everything must outlive the waiter. `showStatus` puts a text on the
    // status line.
    ProgramWaiter(platform::Processes& processes, ProcessFinder& finder, SetupHost& host,
                  std::function<void(const std::string&)> showStatus);

    Outcome wait(const ProgramWait& wait);

private:
    bool step(std::chrono::milliseconds interval);
    bool waitWhileRunning(platform::ProcessId process);

    platform::Processes& processes_;
    ProcessFinder& finder_;
    SetupHost& host_;
    std::function<void(const std::string&)> showStatus_;
    std::chrono::milliseconds waited_{0};
    bool offered_ = false;
};

}  // namespace zentrix::setup
