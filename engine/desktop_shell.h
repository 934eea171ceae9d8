#pragma once

// What the engine asks of the desktop: open a file or an address with its
// default handler, and minimise the application. Tests bind a recorder.

#include <string>

namespace zentrix::engine {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual void openDocument(const std::string& path) = 0;
    virtual void openAddress(const std::string& address) = 0;
    virtual void minimizeApplication() = 0;
};

}  // namespace zentrix::engine
