#pragma once

// The system service: the folders a Windows program asks the system for, the
// short path form, the administrator check, and the input settings a GUI
// layer knows better than this layer (double-click time, modifier keys),
// which it can hand in through providers.

#include <functional>
#include <string>

#include "platform/status.h"

namespace zentrix::platform {

enum class ModifierKey { Control, Shift, Alt };

class System {
public:
    virtual ~System() = default;

    virtual std::string windowsFolder() = 0;
    virtual std::string systemFolder() = 0;
    virtual std::string tempFolder() = 0;
    virtual std::string programFilesFolder() = 0;

    // The short form of an existing path; fails when the path does not exist.
    virtual Result<std::string> shortPath(const std::string& path) = 0;

    // True when the user may install and uninstall for this platform root.
    virtual bool isUserAdmin() = 0;

    virtual int doubleClickTimeMs() = 0;
    virtual bool isKeyDown(ModifierKey key) = 0;

    virtual void setDoubleClickTimeProvider(std::function<int()> provider) = 0;
    virtual void setKeyStateProvider(std::function<bool(ModifierKey)> provider) = 0;
};

}  // namespace zentrix::platform
