#include "setup/removal_scope.h"

#include <filesystem>

namespace zentrix::setup {

namespace fs = std::filesystem;

namespace {

std::string cleaned(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

std::vector<std::string> spellings(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) absolute = path;
    std::vector<std::string> result = {cleaned(absolute)};
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    if (!error) result.push_back(cleaned(resolved));
    return result;
}

bool isBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (folder == "/" || path[folder.size()] == '/');
}

}  // namespace

RemovalScope::RemovalScope(std::string installDir, std::vector<std::string> containingFolders) {
    // Each folder as written and with its links resolved, so that a path
    // spelt either way is recognised.
    if (!installDir.empty()) installDirs_ = spellings(installDir);
    for (const std::string& folder : containingFolders) {
        if (folder.empty()) continue;
        for (const std::string& spelling : spellings(folder)) containing_.push_back(spelling);
    }
}

platform::Status RemovalScope::check(const std::string& path) const {
    if (path.empty()) return platform::Status::error("nothing named to remove");
    for (const std::string& spelling : spellings(path)) {
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
