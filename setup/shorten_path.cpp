#include "setup/shorten_path.h"

#include <vector>

namespace zentrix::setup {
namespace {

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

}  // namespace

std::string ShortenPath(std::string_view path, std::string_view separator,
                        std::string_view ellipsis, size_t limit) {
    if (path.size() <= limit || separator.empty()) return std::string(path);
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t found = path.find(separator, start);
        parts.emplace_back(
            path.substr(start, found == std::string_view::npos ? found : found - start));
        if (found == std::string_view::npos) break;
        start = found + separator.size();
    }
    if (parts.size() < 3) return std::string(path);
    parts[1] = std::string(ellipsis);
    std::string result = joined(parts, separator);
    while (result.size() > limit && parts.size() > 3) {
        parts.erase(parts.begin() + 2);
        result = joined(parts, separator);
    }
    return result;
}

}  // namespace zentrix::setup
