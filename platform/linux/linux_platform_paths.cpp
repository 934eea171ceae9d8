#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform_paths.h"

namespace zentrix::platform {
namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path result = std::filesystem::absolute(path, error);
    return (error ? std::filesystem::path(path) : result).lexically_normal().string();
}

// Trailing separators would make equal folders compare unequal.
std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

PlatformPaths PlatformPaths::fromEnvironment() {
    const std::string home = withoutTrailingSeparator(environmentValue("HOME"));
    const std::string relocatedRoot = environmentValue(kRootVariable);
    if (!relocatedRoot.empty()) {
        PlatformPaths paths = underRoot(withoutTrailingSeparator(absolute(relocatedRoot)));
        paths.homeDir = home;
        return paths;
    }

    // XDG base directories: a relative XDG_DATA_HOME is invalid and ignored.
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (dataHome.empty() || dataHome.front() != '/') dataHome = home + "/.local/share";
    dataHome = withoutTrailingSeparator(absolute(dataHome));

    PlatformPaths paths = underRoot(dataHome + "/zentrix");
    paths.startMenuDir = dataHome + "/applications";
    paths.trashDir = dataHome + "/Trash";
    std::string temp = environmentValue("TMPDIR");
    paths.tempDir = temp.empty() || temp.front() != '/' ? "/tmp" : withoutTrailingSeparator(temp);
    paths.homeDir = home;
    paths.relocated = false;
    return paths;
}

}  // namespace zentrix::platform
