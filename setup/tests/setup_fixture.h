#pragma once

// A setup session over a scratch platform root: a medium folder for the
// script and the distribution files, recorded dialogs, and a host that
// records what the window would do and never sleeps long.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/tests/scratch_platform.h"
#include "setup/recording_setup_dialogs.h"
#include "setup/setup_session.h"

namespace zentrix::setup::testing {

using platform::testing::readFile;
using platform::testing::writeFile;

// The engine's key, which the test scripts write, and the shared-library counts.
inline constexpr const char* kEngineKey = "\\software\\Brenlo\\Quaylo\\Test Engine";
inline constexpr const char* kSharedKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class RecordingHost : public SetupHost {
public:
    void watch(const InstallScreen& screen) { screen_ = &screen; }
    void screenChanged() override;
    void postClose() override { ++closesPosted; }
    void postUninstall() override { ++uninstallsPosted; }
    void closeWindow() override { ++windowCloses; }
    bool waitStep(std::chrono::milliseconds interval) override;
    void offerStopWaiting(bool offered) override { stopOffers.push_back(offered); }

    // The status lines in the order they were shown, each once in a row.
    std::vector<std::string> statuses;
    int closesPosted = 0;
    int uninstallsPosted = 0;
    int windowCloses = 0;
    int waitSteps = 0;
    std::vector<bool> stopOffers;
    // Gives false from this step on (the person pressed "Stop waiting").
    int stopAtStep = -1;

private:
    const InstallScreen* screen_ = nullptr;
};

// The platform's system service with the administrator answer replaced.
class SystemWithAdmin : public platform::System {
public:
    SystemWithAdmin(platform::System& real, bool admin) : real_(real), admin_(admin) {}
    std::string windowsFolder() override { return real_.windowsFolder(); }
    std::string systemFolder() override { return real_.systemFolder(); }
    std::string tempFolder() override { return real_.tempFolder(); }
    std::string programFilesFolder() override { return real_.programFilesFolder(); }
    Result<std::string> shortPath(const std::string& path) override {
        return real_.shortPath(path);
    }
    bool isUserAdmin() override { return admin_; }
    int doubleClickTimeMs() override { return 400; }
    bool isKeyDown(platform::ModifierKey) override { return false; }
    void setDoubleClickTimeProvider(std::function<int()>) override {}
    void setKeyStateProvider(std::function<bool(platform::ModifierKey)>) override {}

private:
    platform::System& real_;
    bool admin_;
};

class SetupFixture : public ::testing::Test {
protected:
    SetupFixture();
    ~SetupFixture() override;

    // Makes the user an administrator of the platform root, or not.
    void setAdmin(bool admin);

    platform::testing::ScratchPlatform scratch;
    platform::Platform& platform() { return scratch.platform(); }
    const platform::PlatformPaths& paths() const { return scratch.paths(); }

    // The medium: the setup folder.
    std::string medium(const std::string& relative = "") const;
    void writeScript(const std::string& text) { writeFile(medium("install.ini"), text); }
    void writeMediumFile(const std::string& relative, const std::string& bytes);
    // An executable shell script on the medium.
    void writeMediumProgram(const std::string& relative, const std::string& body);

    // A small product: the script below and the files it names on the
    // medium. The setup-only group's program notes its run in runtimeLog().
    static const char* productScript();
    void writeProduct();
    std::string runtimeLog() const { return scratch.work("runtime-ran"); }
    std::string registrationLog() const { return scratch.work("registration.log"); }
    // Runs start-up and install; gives whether the install ran to its end.
    bool install(const std::string& folder = "");

    // A new session on the medium with the given command line; FormCreate has run.
    SetupSession& newSession(std::vector<std::string> arguments = {"zentrix-install"});
    SetupSession& session() { return *session_; }

    // The folder proposed for the product: <programs>/Zentrix.
    std::string installDir() const { return paths().programFilesDir + "/Zentrix"; }

    std::string registryString(platform::RootKey root, const std::string& key,
                               const std::string& name);
    std::optional<uint32_t> registryInteger(platform::RootKey root, const std::string& key,
                                            const std::string& name);

    RecordingSetupDialogs dialogs;
    RecordingHost host;
    std::unique_ptr<FixedSetupLocation> location;

private:
    std::unique_ptr<SetupSession> session_;
    std::unique_ptr<platform::System> realSystem_;
};

// Whether `text` occurs in any of `texts`.
bool anyContains(const std::vector<std::string>& texts, const std::string& text);

// Every file and folder below `folder`, relative to it, sorted.
std::vector<std::string> treeOf(const std::string& folder);

}  // namespace zentrix::setup::testing
