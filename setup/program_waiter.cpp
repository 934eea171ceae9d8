#include "setup/program_waiter.h"

#include <algorithm>

namespace zentrix::setup {

ProgramWaiter::ProgramWaiter(platform::Processes& processes, ProcessFinder& finder, SetupHost& host,
                             std::function<void(const std::string&)> showStatus)
    : processes_(processes), finder_(finder), host_(host), showStatus_(std::move(showStatus)) {}

bool ProgramWaiter::step(std::chrono::milliseconds interval) {
    if (!offered_ && waited_ >= kStopOfferedAfter) {
        offered_ = true;
        host_.offerStopWaiting(true);
    }
    waited_ += interval;
    return host_.waitStep(interval);
}

bool ProgramWaiter::waitWhileRunning(platform::ProcessId process) {
    while (processes_.isRunning(process)) {
        if (!step(kPollInterval)) return false;
    }
    return true;
}

ProgramWaiter::Outcome ProgramWaiter::wait(const ProgramWait& wait) {
    waited_ = std::chrono::milliseconds(0);
    offered_ = false;
    auto finish = [this](Outcome outcome) {
        if (offered_) host_.offerStopWaiting(false);
        return outcome;
    };

    std::optional<platform::ProcessId> watched = wait.started;
    while (!watched) {
        watched = finder_.find(wait.programName);
        if (!watched && !step(kPollInterval)) return finish(Outcome::Stopped);
    }
    if (!waitWhileRunning(*watched)) return finish(Outcome::Stopped);

    for (std::chrono::milliseconds left(std::max(0, wait.pauseAfterFinishMs)); left.count() > 0;) {
        const std::chrono::milliseconds interval = std::min(left, kPollInterval);
        if (!step(interval)) return finish(Outcome::Stopped);
        left -= interval;
    }

    if (!wait.alternateProgramName.empty()) {
        if (std::optional<platform::ProcessId> second = finder_.find(wait.alternateProgramName)) {
            if (processes_.isRunning(*second) && !wait.alternateDescription.empty())
                showStatus_(wait.alternateDescription);
            if (!waitWhileRunning(*second)) return finish(Outcome::Stopped);
        }
    }
    return finish(Outcome::Ended);
}

}  // namespace zentrix::setup
