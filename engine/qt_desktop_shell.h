#pragma once

#include "engine/desktop_shell.h"

namespace zentrix::engine {

// The desktop's own handlers, through QDesktopServices.
class QtDesktopShell : public DesktopShell {
public:
    void openDocument(const std::string& path) override;
    void openAddress(const std::string& address) override;
    void minimizeApplication() override;
};

}  // namespace zentrix::engine
