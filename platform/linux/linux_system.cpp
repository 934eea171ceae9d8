#include "platform/linux/linux_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace zentrix::platform {

LinuxSystem::LinuxSystem(PlatformPaths paths) : paths_(std::move(paths)) {}

Result<std::string> LinuxSystem::shortPath(const std::string& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) {
        return Status::error(path + ": no such file or folder");
    }
    return path;  // Linux names have no short form.
}

bool LinuxSystem::isAdministrator(const std::string& platformRoot, uid_t user) {
    if (user == 0) return true;
    std::filesystem::path folder = std::filesystem::absolute(platformRoot).lexically_normal();
    struct stat info;
    while (::stat(folder.c_str(), &info) != 0) {
        if (!folder.has_relative_path()) return false;
        folder = folder.parent_path();
    }
    return info.st_uid == user && ::access(folder.c_str(), W_OK) == 0;
}

bool LinuxSystem::isUserAdmin() { return isAdministrator(paths_.root, ::geteuid()); }

int LinuxSystem::doubleClickTimeMs() {
    return doubleClickTime_ ? doubleClickTime_() : kDefaultDoubleClickTimeMs;
}

bool LinuxSystem::isKeyDown(ModifierKey key) { return keyState_ ? keyState_(key) : false; }

void LinuxSystem::setDoubleClickTimeProvider(std::function<int()> provider) {
    doubleClickTime_ = std::move(provider);
}

void LinuxSystem::setKeyStateProvider(std::function<bool(ModifierKey)> provider) {
    keyState_ = std::move(provider);
}

}  // namespace zentrix::platform
