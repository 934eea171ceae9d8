#pragma once

// The system service on Linux. The administrator rule: the superuser, or the
// user who owns the platform root (for a root not made yet, the nearest
// folder above it that exists) and may write there. A per-user root under
// the XDG data folder therefore makes its user the administrator; a root
// shared under /opt and owned by root needs the superuser.

#include <sys/types.h>

#include "platform/platform_paths.h"
#include "platform/system.h"

namespace zentrix::platform {

class LinuxSystem : public System {
public:
    static constexpr int kDefaultDoubleClickTimeMs = 400;

    explicit LinuxSystem(PlatformPaths paths);

    std::string windowsFolder() override { return paths_.windowsDir; }
    std::string systemFolder() override { return paths_.systemDir; }
    std::string tempFolder() override { return paths_.tempDir; }
    std::string programFilesFolder() override { return paths_.programFilesDir; }
    Result<std::string> shortPath(const std::string& path) override;
    bool isUserAdmin() override;
    int doubleClickTimeMs() override;
    bool isKeyDown(ModifierKey key) override;
    void setDoubleClickTimeProvider(std::function<int()> provider) override;
    void setKeyStateProvider(std::function<bool(ModifierKey)> provider) override;

    // The rule above for a given user.
    static bool isAdministrator(const std::string& platformRoot, uid_t user);

private:
    PlatformPaths paths_;
    std::function<int()> doubleClickTime_;
    std::function<bool(ModifierKey)> keyState_;
};

}  // namespace zentrix::platform
