#include "setup/removal_scope.h"

#include "platform/deletion_guard.h"

namespace zentrix::setup {

namespace {

bool isBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (folder == "/" || path[folder.size()] == '/');
}

}  // namespace

RemovalScope::RemovalScope(std::string installDir, std::vector<std::string> containingFolders) {
    // Each folder as written and with its links resolved, so that a path
    // spelt either way is recognised.
    if (!installDir.empty()) installDirs_ = platform::DeletionGuard::spellings(installDir);
    for (const std::string& folder : containingFolders) {
        if (folder.empty()) continue;
        for (const std::string& spelling : platform::DeletionGuard::spellings(folder))
            containing_.push_back(spelling);
    }
}

platform::Status RemovalScope::check(const std::string& path) const {
    if (path.empty()) return platform::Status::error("nothing named to remove");
    for (const std::string& spelling : platform::DeletionGuard::spellings(path)) {
        bool inside = false;
        for (const std::string& install : installDirs_) {
            inside =
                inside || (install != "/" && (spelling == install || isBelow(spelling, install)));
        }
        for (const std::string& folder : containing_) inside = inside || isBelow(spelling, folder);
        if (!inside) return platform::Status::error(path + " lies outside the product's folders");
    }
    return platform::Status::ok();
}

}  // namespace zentrix::setup
