#include "platform/deletion_guard.h"

#include <filesystem>
#include <system_error>

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;

std::string cleaned(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

bool isSameOrAbove(const std::string& candidate, const std::string& folder) {
    if (candidate == folder) return true;
    if (candidate == "/") return true;
    return folder.size() > candidate.size() &&
           folder.compare(0, candidate.size(), candidate) == 0 && folder[candidate.size()] == '/';
}

}  // namespace

std::vector<std::string> DeletionGuard::spellings(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) absolute = path;
    std::vector<std::string> result = {cleaned(absolute)};
    fs::path resolved = fs::weakly_canonical(absolute, error);
    if (!error && cleaned(resolved) != result.front()) result.push_back(cleaned(resolved));
    return result;
}

DeletionGuard::DeletionGuard(std::vector<ProtectedFolder> folders) {
    for (ProtectedFolder& folder : folders) {
        if (folder.path.empty()) continue;
        for (const std::string& spelling : spellings(folder.path)) {
            folders_.push_back({spelling, folder.label});
        }
    }
}

Status DeletionGuard::check(const std::string& path) const {
    if (path.empty()) return Status::error("refusing to delete an empty path");
    for (const std::string& candidate : spellings(path)) {
        if (candidate == "/")
            return Status::error(path + ": refusing to delete the file system root");
        for (const ProtectedFolder& folder : folders_) {
            if (isSameOrAbove(candidate, folder.path)) {
                return Status::error(path + ": refusing to delete " + folder.label +
                                     (candidate == folder.path ? "" : " or a folder above it"));
            }
        }
    }
    return Status::ok();
}

}  // namespace zentrix::platform
