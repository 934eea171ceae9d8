#pragma once

// What the uninstall may remove. Besides the platform's own deletion guard
// (the file system root, the home folder, the platform root and its
// folders, and everything above them), a path must lie inside the product's
// folders: the install folder, or below the Windows folder, the system
// folder or the Start Menu folder. A group whose Dest expands to "/", to
// some other product's folder or to a system place is thereby skipped.

#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::setup {

class RemovalScope {
public:
    // `installDir` may itself be removed; the other folders only what lies
    // below them. Empty folders are ignored.
    RemovalScope(std::string installDir, std::vector<std::string> containingFolders);

    // Ok when `path` lies inside the scope, as written and with its links
    // resolved.
    platform::Status check(const std::string& path) const;

private:
    std::vector<std::string> installDirs_;
    std::vector<std::string> containing_;
};

}  // namespace zentrix::setup
