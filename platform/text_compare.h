#pragma once

// Case-insensitive comparison of 8-bit texts the way Windows compares key,
// section and file names: ASCII letters fold, every other byte stays.

#include <string>
#include <string_view>

namespace zentrix::platform {

inline char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

inline std::string lowerCased(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = foldCase(c);
    return result;
}

}  // namespace zentrix::platform
