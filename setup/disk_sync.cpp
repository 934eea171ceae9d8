#include "setup/disk_sync.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zentrix::setup {

namespace fs = std::filesystem;
using platform::Status;

namespace {

// fsync of one file or folder. Folders are flushed too, so that the names
// of new entries are on disk, not only their contents.
Status flushOne(const fs::path& path, bool folder) {
#ifdef _WIN32
    (void)path;
    (void)folder;
    return Status::ok();
#else
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return Status::error(path.string() + ": cannot open to flush: " + std::strerror(errno));
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot flush folders; that is not the file's loss.
    if (result != 0 && !(folder && (error == EINVAL || error == EROFS)))
        return Status::error(path.string() + ": cannot flush to disk: " + std::strerror(error));
    return Status::ok();
#endif
}

}  // namespace

void DiskSync::add(const std::string& path) {
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
        paths_.push_back(path);
}

Status DiskSync::flushTree(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status) || fs::is_symlink(status)) return Status::ok();
    Status first;
    auto keep = [&first](Status s) {
        if (!s && first) first = s;
    };
    if (fs::is_directory(status)) {
        std::vector<fs::path> folders = {path};
        for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            const fs::file_status entry = it->symlink_status(error);
            if (fs::is_directory(entry)) {
                folders.push_back(it->path());
            } else if (fs::is_regular_file(entry)) {
                keep(flushOne(it->path(), false));
            }
        }
        if (error) keep(Status::error(path + ": cannot list to flush: " + error.message()));
        // Innermost folders first, so each folder is flushed after its entries.
        std::sort(folders.rbegin(), folders.rend());
        for (const fs::path& folder : folders) keep(flushOne(folder, true));
    } else if (fs::is_regular_file(status)) {
        keep(flushOne(path, false));
    }
    return first;
}

Status DiskSync::flush() const {
    Status first;
    std::set<std::string> parents;
    for (const std::string& path : paths_) {
        Status flushed = flushTree(path);
        if (!flushed && first) first = flushed;
        std::string text = fs::absolute(fs::path(path)).lexically_normal().string();
        while (text.size() > 1 && text.back() == '/') text.pop_back();
        const fs::path parent = fs::path(text).parent_path();
        if (!parent.empty()) parents.insert(parent.string());
    }
    std::error_code error;
    for (const std::string& parent : parents) {
        // The folder itself, so the new names in it are on disk.
        if (fs::is_directory(parent, error)) {
            Status flushed = flushOne(parent, true);
            if (!flushed && first) first = flushed;
        }
    }
    return first;
}

}  // namespace zentrix::setup
