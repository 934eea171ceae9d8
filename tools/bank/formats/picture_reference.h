#pragma once

// What the src of an <img> in a question text names, and where its bytes
// are: inside the src itself (a data: address), inside the file that holds
// the question (Moodle's @@PLUGINFILE@@), on the web, or in a file beside it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

struct PictureReference {
    enum class Kind { Inline, Embedded, Web, File };
    Kind kind = Kind::File;
    std::string name;                  // file name, percent escapes decoded
    std::optional<std::string> bytes;  // Inline only, when the data decodes

    static PictureReference of(std::string_view src);
};

// Where a reader finds a picture's bytes: the picture, nothing when it has
// none, or a failure (a picture a package names but lacks).
using PictureFinder =
    std::function<xbase::Result<std::optional<InterchangePicture>>(const PictureReference&)>;

// The finder of sources whose pictures are files beside them (read by the
// importer) or data: addresses.
xbase::Result<std::optional<InterchangePicture>> pictureBesideOrInline(const PictureReference& ref);

// Makes the first of the pictures a question's text names (their src, in
// order) its exhibit. The others are noted as left out, as is a first one
// the finder does not have.
xbase::Status takeExhibit(const std::vector<std::string>& sources, const PictureFinder& find,
                          InterchangeQuestion& q, InterchangeDocument& document);

std::string percentDecoded(std::string_view text);
// A relative path as an address: bytes other than letters, digits, "/",
// "-", "_", "." and "~" as %XX.
std::string percentEncoded(std::string_view path);

// Base64 with blanks and line breaks allowed between the characters;
// nothing when it is not base64.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace zentrix::banktool
