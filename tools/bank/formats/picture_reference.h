#pragma once

// What the src of an <img> in a question text names, and where its bytes
// are: inside the src itself (a data: address), inside the file that holds
// the question (Moodle's @@PLUGINFILE@@), on the web, or in a file beside it.

#include <optional>
#include <string>
#include <string_view>

namespace zentrix::banktool {

struct PictureReference {
    enum class Kind { Inline, Embedded, Web, File };
    Kind kind = Kind::File;
    std::string name;                  // file name, percent escapes decoded
    std::optional<std::string> bytes;  // Inline only, when the data decodes

    static PictureReference of(std::string_view src);
};

std::string percentDecoded(std::string_view text);
// A relative path as an address: bytes other than letters, digits, "/",
// "-", "_", "." and "~" as %XX.
std::string percentEncoded(std::string_view path);

// Base64 with blanks and line breaks allowed between the characters;
// nothing when it is not base64.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace zentrix::banktool
