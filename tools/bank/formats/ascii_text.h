#pragma once

// The few ASCII text helpers the format readers share: blanks at the ends,
// and case for keywords and names that are ASCII by definition.

#include <cctype>
#include <string>
#include <string_view>

namespace zentrix::banktool::ascii {

constexpr std::string_view kBlanks = " \t\r\n";

// Without blanks, tabs and line breaks at either end.
inline std::string_view trimmedView(std::string_view s) {
    const size_t begin = s.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos) return {};
    return s.substr(begin, s.find_last_not_of(kBlanks) - begin + 1);
}
inline std::string trimmed(std::string_view s) { return std::string(trimmedView(s)); }

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace zentrix::banktool::ascii
