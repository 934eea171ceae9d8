#include "setup/script_paths.h"

#include <filesystem>

#include "base/ascii_text.h"
#include "platform/path_text.h"

namespace zentrix::setup {

namespace fs = std::filesystem;

namespace {

bool hasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// The name in `folder` that matches `name` without regard to case; `name`
// itself when it exists as written or nothing matches.
std::string nameOnDisk(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder / name, error))) return name;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
         !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (base::ascii::equalsIgnoringCase(candidate, name)) return candidate;
    }
    return name;
}

}  // namespace

std::string ScriptPaths::native(const std::string& scriptText) {
    const std::string path = platform::nativePath(scriptText);
    if (path.empty()) return path;
    const bool trailing = path.back() == '/';
    const fs::path written(path);
    fs::path result = written.root_path();
    bool missing = false;
    for (const fs::path& part : written.relative_path()) {
        const std::string name = part.string();
        if (name.empty()) continue;
        if (missing || name == "." || name == ".." || hasWildcard(name)) {
            result /= name;
            continue;
        }
        const std::string onDisk = nameOnDisk(result, name);
        std::error_code error;
        result /= onDisk;
        if (!fs::exists(fs::symlink_status(result, error))) missing = true;
    }
    std::string text = result.string();
    if (trailing && (text.empty() || text.back() != '/')) text += '/';
    return text;
}

std::string ScriptPaths::join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    const bool folderEnds = folder.back() == '/' || folder.back() == '\\';
    const bool nameBegins = name.front() == '/' || name.front() == '\\';
    if (folderEnds && nameBegins) return folder + name.substr(1);
    if (folderEnds || nameBegins) return folder + name;
    return folder + "/" + name;
}

std::string ScriptPaths::stripSeparators(const std::string& text) {
    const size_t first = text.find_first_not_of("/\\");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of("/\\");
    return text.substr(first, last - first + 1);
}

bool ScriptPaths::climbsUp(const std::string& path) {
    for (const fs::path& part : fs::path(platform::nativePath(path))) {
        if (part == "..") return true;
    }
    return false;
}

}  // namespace zentrix::setup
