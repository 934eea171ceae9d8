#include "tools/bank/formats/text_encoding.h"

#include <algorithm>
#include <cstdio>

#include "base/windows1252.h"

namespace zentrix::banktool {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

using base::windows1252Byte;

}  // namespace

char32_t TextEncoding::next(std::string_view s, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t cp = 0, minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > s.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return cp;
}

bool TextEncoding::isValidUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t at = pos;
        if (next(bytes, pos) == kReplacement && bytes.compare(at, 3, "\xEF\xBF\xBD") != 0)
            return false;
    }
    return true;
}

void TextEncoding::appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string TextEncoding::sourceToUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return fromWindows1252(bytes);
}

std::string TextEncoding::toWindows1252(std::string_view utf8, std::vector<char32_t>* unmapped) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = next(utf8, pos);
        const int b = windows1252Byte(cp);
        if (b >= 0) {
            out.push_back(static_cast<char>(b));
            continue;
        }
        out.push_back('?');
        if (unmapped && std::find(unmapped->begin(), unmapped->end(), cp) == unmapped->end())
            unmapped->push_back(cp);
    }
    return out;
}

std::string TextEncoding::fromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) appendUtf8(out, base::windows1252CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string TextEncoding::codePointName(char32_t cp) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
    return name;
}

}  // namespace zentrix::banktool
