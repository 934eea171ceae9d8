#pragma once

// Between the UTF-8 of interchange files and the Windows-1252 of bank
// texts. Sources written in a spreadsheet or an old editor may be
// Windows-1252 already: a source that is not valid UTF-8 is read as such.

#include <string>
#include <string_view>
#include <vector>

namespace zentrix::banktool {

class TextEncoding {
public:
    static bool isValidUtf8(std::string_view bytes);

    // A text source as UTF-8: valid UTF-8 as it is, less a byte-order mark;
    // anything else read as Windows-1252.
    static std::string sourceToUtf8(std::string_view bytes);

    // UTF-8 to Windows-1252. A character the code page lacks becomes "?" and
    // is added once to `unmapped` (when given); bytes that are not UTF-8
    // count as U+FFFD.
    static std::string toWindows1252(std::string_view utf8, std::vector<char32_t>* unmapped);
    static std::string fromWindows1252(std::string_view text);

    // Decodes one UTF-8 character at `pos` and moves past it; U+FFFD and one
    // byte for a malformed sequence.
    static char32_t next(std::string_view utf8, size_t& pos);
    static void appendUtf8(std::string& out, char32_t codePoint);

    static std::string codePointName(char32_t codePoint);  // "U+2192"
};

}  // namespace zentrix::banktool
