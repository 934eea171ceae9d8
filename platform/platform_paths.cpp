#include "platform/platform_paths.h"

#include <filesystem>
#include <system_error>

namespace zentrix::platform {

PlatformPaths PlatformPaths::underRoot(const std::string& root) {
    const std::filesystem::path base(root);
    PlatformPaths paths;
    paths.root = base.string();
    paths.registryDir = (base / "registry").string();
    paths.windowsDir = (base / "windows").string();
    paths.systemDir = (base / "windows" / "system").string();
    paths.startMenuDir = (base / "applications").string();
    paths.trashDir = (base / "Trash").string();
    paths.tempDir = (base / "temp").string();
    paths.programFilesDir = (base / "programs").string();
    paths.relocated = true;
    return paths;
}

std::vector<std::string> PlatformPaths::protectedFolders() const {
    std::vector<std::string> folders = {"/",        root,      registryDir,
                                        windowsDir, systemDir, startMenuDir,
                                        trashDir,   tempDir,   programFilesDir};
    if (!homeDir.empty()) folders.push_back(homeDir);
    return folders;
}

bool PlatformPaths::createFolders() const {
    std::error_code error;
    for (const std::string& folder :
         {registryDir, windowsDir, systemDir, startMenuDir, tempDir, programFilesDir}) {
        std::filesystem::create_directories(folder, error);
        if (error) return false;
    }
    return true;
}

}  // namespace zentrix::platform
