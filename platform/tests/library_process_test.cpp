#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "scratch_platform.h"

namespace zentrix::platform {
namespace {

using testing::ScratchPlatform;
using Kind = RegistrationOutcome::Kind;

TEST(LibraryLoader, TellsMissingLibraryMissingExportAndFailedCall) {
    struct Case {
        std::string library;
        RegistrationCall call;
        Kind expected;
        int32_t returnCode;
    } cases[] = {
        {ZENTRIX_REGISTERING_LIBRARY, RegistrationCall::Register, Kind::Succeeded, 0},
        {ZENTRIX_REGISTERING_LIBRARY, RegistrationCall::Unregister, Kind::Succeeded, 0},
        {ZENTRIX_FAILING_LIBRARY, RegistrationCall::Register, Kind::CallFailed,
         int32_t(0x80004005)},
        {ZENTRIX_FAILING_LIBRARY, RegistrationCall::Unregister, Kind::ExportMissing, 0},
        {"/nowhere/libmissing.so", RegistrationCall::Register, Kind::LibraryMissing, 0},
        {"libc.so.6", RegistrationCall::Register, Kind::LibraryMissing, 0},  // a file, not a search
        {ZENTRIX_PLATFORM_FIXTURES "/versioned.dll", RegistrationCall::Register,
         Kind::LibraryMissing, 0},
    };
    ScratchPlatform scratch;
    for (const Case& c : cases) {
        RegistrationOutcome outcome =
            scratch.platform().libraries->callRegistration(c.library, c.call);
        EXPECT_EQ(outcome.kind, c.expected) << c.library << ": " << outcome.detail;
        EXPECT_EQ(outcome.returnCode, c.returnCode) << c.library;
    }
}

TEST(Processes, WaitingPollsTheCallerUntilTheProgramEnds) {
    ScratchPlatform scratch;
    Processes& processes = *scratch.platform().processes;
    Result<ProcessId> started = processes.start({"/bin/sh", {"-c", "sleep 0.2; exit 3"}, ""});
    ASSERT_TRUE(started) << started.message();
    EXPECT_TRUE(processes.isRunning(started.value()));
    int polls = 0;
    Result<int> ended = processes.waitForExit(
        started.value(), [&] { return ++polls > 0; }, std::chrono::milliseconds(10));
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended.value(), 3);
    EXPECT_GT(polls, 2) << "the caller's loop ran while waiting";
    EXPECT_FALSE(processes.isRunning(started.value()));
}

TEST(Processes, TheCallerCanStopWaitingAndStartFailuresAreReported) {
    ScratchPlatform scratch;
    Processes& processes = *scratch.platform().processes;
    Result<ProcessId> started = processes.start({"/bin/sh", {"-c", "sleep 5"}, ""});
    ASSERT_TRUE(started);
    Result<int> stopped = processes.waitForExit(
        started.value(), [] { return false; }, std::chrono::milliseconds(1));
    EXPECT_FALSE(stopped);
    ::kill(pid_t(started.value()), SIGKILL);
    EXPECT_TRUE(processes.waitForExit(started.value(), nullptr, std::chrono::milliseconds(1)));

    Result<ProcessId> missing = processes.start({"/nowhere/program", {}, ""});
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find("/nowhere/program: cannot start"), std::string::npos);
    EXPECT_FALSE(processes.start({"/bin/sh", {}, scratch.work("no-such-folder")}));
}

}  // namespace
}  // namespace zentrix::platform
