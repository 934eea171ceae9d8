#include "platform/path_text.h"

namespace zentrix::platform {

std::string nativePath(std::string_view scriptPath) {
    std::string_view text = scriptPath;
    if (text.size() >= 2 && text[1] == ':' &&
        ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'))) {
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

std::string withoutTrailingSeparators(std::string_view path) {
    std::string result(path);
    while (result.size() > 1 && (result.back() == '/' || result.back() == '\\')) result.pop_back();
    return result;
}

}  // namespace zentrix::platform
