#include <filesystem>

#include "base/ascii_text.h"
#include "platform/path_text.h"

namespace zentrix::platform {

std::string nativePath(std::string_view scriptPath) {
    std::string_view text = scriptPath;
    if (text.size() >= 2 && text[1] == ':' && base::ascii::isAlpha(text[0])) {
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == ':') {
        text.remove_prefix(1);
    }
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        const char separator = c == '\\' ? '/' : c;
        if (separator == '/' && !result.empty() && result.back() == '/') continue;
        result += separator;
    }
    return result;
}

std::string resolvedIgnoringCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (path.empty() || fs::exists(fs::symlink_status(path, error))) return path;
    const fs::path original(path);
    fs::path resolved = original.root_path();
    for (const fs::path& part : original.relative_path()) {
        const fs::path exact = resolved / part;
        if (part.empty() || part == "." || part == ".." ||
            fs::exists(fs::symlink_status(exact, error))) {
            resolved = exact;
            continue;
        }
        const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
        fs::path match;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (base::ascii::equalsIgnoringCase(it->path().filename().string(), part.string())) {
                match = resolved / it->path().filename();
                break;
            }
        }
        if (match.empty()) return path;
        resolved = match;
    }
    return resolved.string();
}

std::string withoutTrailingSeparators(std::string_view path) {
    std::string result(path);
    while (result.size() > 1 && (result.back() == '/' || result.back() == '\\')) result.pop_back();
    return result;
}

}  // namespace zentrix::platform
