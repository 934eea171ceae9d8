#pragma once

// The one set of ASCII text helpers: blanks at the ends, case, and comparing
// without case. Case here is ASCII only, whatever the process locale: table
// and tag names, keywords, history keys and file names fold the same way on
// every machine (std::toupper would also fold Latin-1 bytes under a Latin-1
// locale and nothing under "C"). Bytes 0x80 and up are left as they are.

#include <string>
#include <string_view>

namespace zentrix::base::ascii {

// What trimming removes: by default the C locale's white space. Fixed-width
// table fields are padded with blanks only (kBlank); their leading blanks
// can belong to what was typed, so those fields take trimmedRight.
inline constexpr std::string_view kWhitespace = " \t\n\v\f\r";
inline constexpr std::string_view kBlank = " ";

constexpr bool isSpace(char c) { return kWhitespace.find(c) != std::string_view::npos; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool isLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool isAlpha(char c) { return isUpper(c) || isLower(c); }
constexpr bool isAlnum(char c) { return isAlpha(c) || isDigit(c); }

// The value of a hexadecimal digit, -1 for any other character.
constexpr int hexDigitValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
constexpr bool isHexDigit(char c) { return hexDigitValue(c) >= 0; }

constexpr char toUpper(char c) { return isLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char toLower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = toUpper(c);
    return out;
}

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = toLower(c);
    return out;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (toUpper(a[i]) != toUpper(b[i])) return false;
    }
    return true;
}

// Views into s without the characters of `chars` at the right end, the left
// end or both.
constexpr std::string_view trimmedRightView(std::string_view s,
                                            std::string_view chars = kWhitespace) {
    const size_t last = s.find_last_not_of(chars);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}
constexpr std::string_view trimmedLeftView(std::string_view s,
                                           std::string_view chars = kWhitespace) {
    const size_t first = s.find_first_not_of(chars);
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}
constexpr std::string_view trimmedView(std::string_view s, std::string_view chars = kWhitespace) {
    return trimmedLeftView(trimmedRightView(s, chars), chars);
}

inline std::string trimmedRight(std::string_view s, std::string_view chars = kWhitespace) {
    return std::string(trimmedRightView(s, chars));
}
inline std::string trimmedLeft(std::string_view s, std::string_view chars = kWhitespace) {
    return std::string(trimmedLeftView(s, chars));
}
inline std::string trimmed(std::string_view s, std::string_view chars = kWhitespace) {
    return std::string(trimmedView(s, chars));
}

// Appends the escape of a backslash, a line break or a tab (\\ \n \r \t),
// and of a double quote (\") when `quote`, to out; false, appending nothing,
// for any other character. The part of C's escapes that every escaped form
// (these two, the table dump's JSON) shares.
inline bool appendBackslashEscape(std::string& out, char c, bool quote) {
    switch (c) {
        case '\\':
            out += "\\\\";
            return true;
        case '\n':
            out += "\\n";
            return true;
        case '\r':
            out += "\\r";
            return true;
        case '\t':
            out += "\\t";
            return true;
        case '"':
            if (!quote) return false;
            out += "\\\"";
            return true;
        default:
            return false;
    }
}

// The text with backslashes, line breaks and tabs written as \\ \n \r \t,
// so that it fits on one line of a line-based file; nothing else changes.
inline std::string backslashEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!appendBackslashEscape(out, c, false)) out += c;
    }
    return out;
}

// The text in double quotes with C's escapes: \\ \" \n \r \t, and \xHH for
// the other bytes below 0x20 and for 0x7F; bytes from 0x80 up stay as they
// are. The form of exam sources and of the registry store.
inline std::string quotedWithEscapes(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : text) {
        if (appendBackslashEscape(out, c, true)) continue;
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace zentrix::base::ascii
