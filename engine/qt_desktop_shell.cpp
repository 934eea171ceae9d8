#include "engine/qt_desktop_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace zentrix::engine {

void QtDesktopShell::openDocument(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtDesktopShell::openAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void QtDesktopShell::minimizeApplication() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) window->showMinimized();
    }
}

}  // namespace zentrix::engine
