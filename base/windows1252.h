#pragma once

// Table text is 8-bit Windows-1252. Tools that write JSON or UTF-8 turn its
// bytes into Unicode code points here, and the case of its letters (index
// expressions' UPPER() and LOWER(), history keys) is decided here, so that
// a key folds the same way wherever it is built.

#include <string>
#include <string_view>

namespace zentrix::base {

// The code point of a Windows-1252 byte. 0x80..0x9F hold the typographic
// characters (the five unassigned bytes keep their C1 control code points);
// the rest of the upper half is Latin-1.
inline unsigned windows1252CodePoint(unsigned char c) {
    static constexpr unsigned short k80to9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return c >= 0x80 && c <= 0x9F ? k80to9F[c - 0x80] : c;
}

// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
inline int windows1252Byte(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int b = 0x80; b <= 0x9F; ++b) {
        if (windows1252CodePoint(static_cast<unsigned char>(b)) == codePoint) return b;
    }
    return -1;
}

// A Windows-1252 text as UTF-16 (every code point above fits one unit), for
// the programs that show table texts: QString::fromStdU16String takes it.
inline std::u16string windows1252ToUtf16(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<char16_t>(windows1252CodePoint(static_cast<unsigned char>(bytes[i])));
    return text;
}

// The upper- and lower-case letter of a Windows-1252 byte: ASCII, the
// Latin-1 letters (not the multiplication and division signs, not ß, which
// has no single upper-case byte) and the pairs s/z caron, oe, y diaeresis.
constexpr unsigned char windows1252UpperByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    switch (c) {
        case 0x9A:  // s caron
        case 0x9C:  // oe
        case 0x9E:  // z caron
            return static_cast<unsigned char>(c - 0x10);
        case 0xFF:  // y diaeresis
            return 0x9F;
        default:
            break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    return c;
}

constexpr unsigned char windows1252LowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:
            return 0xFF;
        default:
            break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    return c;
}

inline std::string windows1252Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(windows1252UpperByte(static_cast<unsigned char>(c)));
    return out;
}

inline std::string windows1252Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(windows1252LowerByte(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace zentrix::base
