#pragma once

// Where the machine state that a Windows program keeps in system places lives
// on this platform. Everything except the user's home folder hangs below one
// platform root, so that pointing ZENTRIX_PLATFORM_ROOT at a scratch folder
// moves the registry store, the Windows and system folders, the Start Menu,
// the trash and the temporary folder together.

#include <string>
#include <vector>

namespace zentrix::platform {

struct PlatformPaths {
    // The environment variable that relocates the whole platform root.
    static constexpr const char* kRootVariable = "ZENTRIX_PLATFORM_ROOT";

    std::string root;             // the platform root itself
    std::string registryDir;      // one store file per predefined root key
    std::string windowsDir;       // uninstaller and uninstall script
    std::string systemDir;        // shared libraries installed for everyone
    std::string startMenuDir;     // the desktop's applications folder
    std::string trashDir;         // freedesktop.org trash (files/ and info/)
    std::string tempDir;          // temporary files
    std::string programFilesDir;  // first proposal for install folders
    std::string homeDir;          // the user's home folder (never deleted)
    bool relocated = false;       // true when the root came from the environment

    // Resolves the paths from the environment: ZENTRIX_PLATFORM_ROOT when set,
    // else the XDG base directories of the current user.
    static PlatformPaths fromEnvironment();

    // All folders below a given root, as when the root is relocated.
    static PlatformPaths underRoot(const std::string& root);

    // Folders that deletions must never remove, nor any folder above them.
    std::vector<std::string> protectedFolders() const;

    // Creates the folders of the layout that must exist (not the home folder).
    bool createFolders() const;
};

}  // namespace zentrix::platform
