#pragma once

// The engine's entry after the application object exists: the main window
// runs its start-up while it is created; only when that succeeded does the
// program load the skin, show the window and run the event loop.

#include <QStringList>
#include <string>

namespace zentrix::platform {
class ProfileStore;
class Registry;
}  // namespace zentrix::platform

namespace zentrix::engine {

class DesktopShell;
class DialogService;

struct ProgramServices {
    DialogService& dialogs;
    platform::Registry& registry;
    platform::ProfileStore& profiles;
    DesktopShell& shell;
    QStringList arguments;
    std::string settingsFile;
    std::string tempFolder;  // the platform's: simulations write their pointer files there
};

// Gives the process exit code. Returns at once (exit code 0, no window) when
// the start-up did not succeed.
int RunEngineProgram(const ProgramServices& services);

}  // namespace zentrix::engine
