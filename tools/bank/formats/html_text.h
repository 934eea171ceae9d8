#pragma once

// HTML as learning platforms store question texts, turned into the plain
// text a question label shows (line breaks and paragraphs kept, tags and
// scripts gone, character references decoded), and plain text turned back
// into HTML for the writers. The reader is tolerant: a stray "<" is text, an
// unclosed tag ends the input, nothing in it can fail.

#include <string>
#include <string_view>
#include <vector>

namespace zentrix::banktool {

class HtmlText {
public:
    struct Result {
        std::string text;
        std::vector<std::string> pictures;  // the src of every <img>, in order, references decoded
    };
    static Result toPlainText(std::string_view html);

    // Plain text as HTML: the five special characters escaped, each line
    // break a <br />.
    static std::string fromPlainText(std::string_view text);

    // The character a named or numeric reference stands for ("amp", "#233",
    // "#x20AC"); 0 when unknown.
    static char32_t characterReference(std::string_view name);
    // Text with its character references decoded; unknown ones are kept.
    static std::string decodeReferences(std::string_view text);
};

}  // namespace zentrix::banktool
