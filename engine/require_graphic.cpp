#include "engine/require_graphic.h"

#include <QFileInfo>

#include "engine/dialog_service.h"

namespace zentrix::engine {

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && info.isFile();
}

bool RequireGraphic(const std::string& path, DialogService& dialogs) {
    if (IsExistingFile(path)) return true;
    dialogs.showMissingGraphic(QString::fromStdString(path));
    return false;
}

}  // namespace zentrix::engine
