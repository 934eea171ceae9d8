#pragma once

// Finds a running program by name. A Windows setup waits for the process
// behind a window class; here a "window class" names the program: the file
// name its process was started from.

#include <optional>
#include <string>

#include "platform/processes.h"

namespace zentrix::setup {

class ProcessFinder {
public:
    virtual ~ProcessFinder() = default;
    // A running process of that program name, other than this one.
    virtual std::optional<platform::ProcessId> find(const std::string& programName) = 0;
};

// Looks through /proc: the file name of each process's program (its
// executable, else the first word of its command line).
class ProcProcessFinder : public ProcessFinder {
public:
    explicit ProcProcessFinder(std::string procFolder = "/proc") : proc_(std::move(procFolder)) {}
    std::optional<platform::ProcessId> find(const std::string& programName) override;

private:
    std::string proc_;
};

}  // namespace zentrix::setup
