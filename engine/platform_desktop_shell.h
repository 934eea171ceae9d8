#pragma once

#include "engine/desktop_shell.h"

namespace zentrix::platform {
class Shell;
}

namespace zentrix::engine {

// Opens files and addresses through the platform's shell service and
// minimises the engine's windows.
class PlatformDesktopShell : public DesktopShell {
public:
    explicit PlatformDesktopShell(platform::Shell& shell) : shell_(shell) {}
    void openDocument(const std::string& path) override;
    void openAddress(const std::string& address) override;
    void minimizeApplication() override;

private:
    platform::Shell& shell_;
};

}  // namespace zentrix::engine
