#include "engine/platform_desktop_shell.h"

#include <QApplication>
#include <QWidget>

#include "platform/shell.h"

namespace zentrix::engine {

// A handler that cannot be started leaves nothing to report: the desktop
// shows its own error, as it does for any document it cannot open.
void PlatformDesktopShell::openDocument(const std::string& path) { (void)shell_.open(path); }

void PlatformDesktopShell::openAddress(const std::string& address) { (void)shell_.open(address); }

void PlatformDesktopShell::minimizeApplication() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) window->showMinimized();
    }
}

}  // namespace zentrix::engine
