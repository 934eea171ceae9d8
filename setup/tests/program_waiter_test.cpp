#include "setup/program_waiter.h"

#include <gtest/gtest.h>

#include <map>

namespace zentrix::setup {
namespace {

using platform::ProcessId;
using platform::Result;

// Processes that end after a given number of checks.
class CountdownProcesses : public platform::Processes {
public:
    std::map<ProcessId, int> checksLeft;
    Result<ProcessId> start(const platform::LaunchRequest&) override {
        return platform::Status::error("not here");
    }
    bool isRunning(ProcessId process) override {
        int& left = checksLeft[process];
        if (left <= 0) return false;
        --left;
        return true;
    }
    Result<int> waitForExit(ProcessId, const std::function<bool()>&,
                            std::chrono::milliseconds) override {
        return 0;
    }
};

// Programs that appear after a number of looks.
class AppearingPrograms : public ProcessFinder {
public:
    struct Program {
        ProcessId id;
        int looksUntilThere;
    };
    std::map<std::string, Program> programs;
    std::vector<std::string> looks;
    std::optional<ProcessId> find(const std::string& name) override {
        looks.push_back(name);
        auto it = programs.find(name);
        if (it == programs.end()) return std::nullopt;
        if (it->second.looksUntilThere-- > 0) return std::nullopt;
        return it->second.id;
    }
};

class CountingHost : public SetupHost {
public:
    void screenChanged() override {}
    void postClose() override {}
    void postUninstall() override {}
    void closeWindow() override {}
    bool waitStep(std::chrono::milliseconds interval) override {
        waited += interval;
        ++steps;
        return stopAt < 0 || steps < stopAt;
    }
    void offerStopWaiting(bool offered) override { offers.push_back({offered, waited}); }
    std::chrono::milliseconds waited{0};
    int steps = 0;
    int stopAt = -1;
    std::vector<std::pair<bool, std::chrono::milliseconds>> offers;
};

class ProgramWaiterTest : public ::testing::Test {
protected:
    ProgramWaiter::Outcome wait(const ProgramWait& what) {
        ProgramWaiter waiter(processes, programs, host,
                             [this](const std::string& text) { statuses.push_back(text); });
        return waiter.wait(what);
    }
    CountdownProcesses processes;
    AppearingPrograms programs;
    CountingHost host;
    std::vector<std::string> statuses;
};

TEST_F(ProgramWaiterTest, WaitsForTheStartedProgramThenPausesThenForTheSecondProgram) {
    processes.checksLeft = {{7, 3}, {9, 3}};  // the second: one look, then two polls
    programs.programs = {{"second-setup", {9, 0}}};
    EXPECT_EQ(wait({7, "unused", 120, "second-setup", "Finishing..."}),
              ProgramWaiter::Outcome::Ended);
    // 3 polls for the first, 120 ms of pause in 50 ms steps, 2 polls for the second.
    EXPECT_EQ(host.waited, std::chrono::milliseconds(3 * 50 + 120 + 2 * 50));
    EXPECT_EQ(statuses, std::vector<std::string>{"Finishing..."});
    EXPECT_EQ(programs.looks, std::vector<std::string>{"second-setup"});  // looked for once
    EXPECT_TRUE(host.offers.empty());
}

TEST_F(ProgramWaiterTest, WithoutAStartedProcessItWaitsForAProgramOfThatName) {
    processes.checksLeft = {{5, 1}};
    programs.programs = {{"runtime-setup", {5, 4}}};
    EXPECT_EQ(wait({std::nullopt, "runtime-setup", 0, "", ""}), ProgramWaiter::Outcome::Ended);
    EXPECT_EQ(programs.looks.size(), 5u);
    // A second program that is not running is not awaited, nor announced.
    processes.checksLeft = {{5, 0}};
    programs.looks.clear();
    EXPECT_EQ(wait({5, "", 0, "gone", "Never shown"}), ProgramWaiter::Outcome::Ended);
    EXPECT_TRUE(statuses.empty());
}

TEST_F(ProgramWaiterTest, AfterThirtySecondsTheWayOutIsOfferedAndStoppingEndsTheWait) {
    processes.checksLeft = {{3, 1000000}};
    host.stopAt = 700;  // 700 steps of 50 ms: 35 seconds
    EXPECT_EQ(wait({3, "", 0, "", ""}), ProgramWaiter::Outcome::Stopped);
    ASSERT_EQ(host.offers.size(), 2u);
    EXPECT_TRUE(host.offers[0].first);
    EXPECT_EQ(host.offers[0].second, ProgramWaiter::kStopOfferedAfter);
    EXPECT_FALSE(host.offers[1].first);  // withdrawn when the wait ends
}

}  // namespace
}  // namespace zentrix::setup
