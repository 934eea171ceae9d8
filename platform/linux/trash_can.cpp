#include "platform/linux/trash_can.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDateTime>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;

// Creates the .trashinfo file exclusively; EEXIST tells the caller to try
// another name, which is how two programs trashing at once stay apart.
int createExclusive(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += size_t(written);
    }
    return true;
}

}  // namespace

TrashCan::TrashCan(std::string trashDir) : trashDir_(std::move(trashDir)) {}

std::string TrashCan::trashInfoText(const std::string& absolutePath,
                                    const std::string& deletionDate) {
    const QByteArray encoded = QByteArray::fromStdString(absolutePath).toPercentEncoding("/");
    return "[Trash Info]\nPath=" + encoded.toStdString() + "\nDeletionDate=" + deletionDate + "\n";
}

Result<std::string> TrashCan::moveToTrash(const std::string& path) const {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error).lexically_normal();
    if (!absolute.has_filename()) absolute = absolute.parent_path();
    if (!fs::exists(fs::symlink_status(absolute, error))) {
        return Status::error(path + ": no such file or folder");
    }
    for (const std::string& folder : {filesDir(), infoDir()}) {
        fs::create_directories(folder, error);
        if (error)
            return Status::error(folder + ": cannot create trash folder: " + error.message());
    }
    ::chmod(trashDir_.c_str(), 0700);

    const std::string baseName = absolute.filename().string();
    const std::string date =
        QDateTime::currentDateTime().toString("yyyy-MM-ddThh:mm:ss").toStdString();
    const std::string info = trashInfoText(absolute.string(), date);
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string name = attempt == 1 ? baseName : baseName + "." + std::to_string(attempt);
        const std::string infoPath = infoDir() + "/" + name + ".trashinfo";
        const std::string filesPath = filesDir() + "/" + name;
        if (fs::exists(fs::symlink_status(filesPath, error))) continue;
        int fd = createExclusive(infoPath);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return Status::error(infoPath + ": cannot create: " + std::strerror(errno));
        }
        const bool written = writeAll(fd, info);
        ::close(fd);
        if (!written) {
            ::unlink(infoPath.c_str());
            return Status::error(infoPath + ": cannot write");
        }
        if (::rename(absolute.c_str(), filesPath.c_str()) == 0) return name;
        if (errno != EXDEV) {
            const std::string reason = std::strerror(errno);
            ::unlink(infoPath.c_str());
            return Status::error(path + ": cannot move to the trash: " + reason);
        }
        // Another file system: copy into the trash, then remove the original.
        fs::copy(absolute, filesPath, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                 error);
        if (error) {
            std::error_code ignored;
            fs::remove_all(filesPath, ignored);
            ::unlink(infoPath.c_str());
            return Status::error(path + ": cannot move to the trash: " + error.message());
        }
        // The trash now holds a whole copy; a partly removed original is
        // reported but the copy stays restorable.
        fs::remove_all(absolute, error);
        if (error) {
            return Status::error(path + ": copied to the trash as " + name +
                                 " but not removed: " + error.message());
        }
        return name;
    }
    return Status::error(path + ": no free name in the trash");
}

}  // namespace zentrix::platform
