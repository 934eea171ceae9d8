#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zentrix::platform {

Result<std::optional<std::string>> readWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return std::optional<std::string>();
    if (std::filesystem::is_directory(path, error))
        return Status::error(path + ": is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::error(path + ": cannot open for reading: " + std::strerror(errno));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return Status::error(path + ": read failed");
    return std::optional<std::string>(std::move(bytes));
}

Status writeFileAtomically(const std::string& path, const std::string& bytes) {
    const QString target = QString::fromStdString(path);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) return Status::error(path + ": cannot create its folder");
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::error(path + ": cannot write: " + file.errorString().toStdString());
    }
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return Status::error(path + ": write failed: " + file.errorString().toStdString());
    }
    if (!file.commit())
        return Status::error(path + ": cannot replace: " + file.errorString().toStdString());
    return Status::ok();
}

}  // namespace zentrix::platform
