#include "tools/bank/formats/picture_reference.h"

#include <QByteArray>
#include <cctype>

#include "base/ascii_text.h"

namespace zentrix::banktool {

namespace {

constexpr std::string_view kPluginFile = "@@PLUGINFILE@@/";

}  // namespace

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && base::ascii::hexDigitValue(text[i + 1]) >= 0 &&
            base::ascii::hexDigitValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(base::ascii::hexDigitValue(text[i + 1]) * 16 +
                                            base::ascii::hexDigitValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

xbase::Result<std::optional<InterchangePicture>> pictureBesideOrInline(
    const PictureReference& ref) {
    if (ref.kind == PictureReference::Kind::File)
        return std::optional(InterchangePicture{ref.name, std::nullopt});
    if (ref.kind == PictureReference::Kind::Inline && ref.bytes)
        return std::optional(InterchangePicture{ref.name, ref.bytes});
    return std::optional<InterchangePicture>();
}

xbase::Status takeExhibit(const std::vector<std::string>& sources, const PictureFinder& find,
                          InterchangeQuestion& q, InterchangeDocument& document) {
    for (size_t i = 0; i < sources.size(); ++i) {
        const PictureReference ref = PictureReference::of(sources[i]);
        if (i > 0) {
            document.note(q.where,
                          "only the first picture is kept; \"" + ref.name + "\" is left out");
            continue;
        }
        ZX_TRY_ASSIGN(auto picture, find(ref));
        if (picture) {
            q.picture = std::move(*picture);
        } else {
            document.note(q.where, "picture \"" + ref.name +
                                       "\" is neither in the file nor beside it; left out");
        }
    }
    return xbase::Status::ok();
}

std::string percentEncoded(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if (base::ascii::isAlnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[u >> 4]);
            out.push_back(kHex[u & 15]);
        }
    }
    return out;
}

std::optional<std::string> decodeBase64(std::string_view text) {
    QByteArray data;
    data.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') data.push_back(c);
    }
    const auto decoded =
        QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) return std::nullopt;
    return decoded.decoded.toStdString();
}

PictureReference PictureReference::of(std::string_view src) {
    PictureReference ref;
    const std::string head = base::ascii::lower(src.substr(0, 5));
    if (head == "data:") {
        // data:image/png;base64,....
        ref.kind = Kind::Inline;
        const size_t comma = src.find(',');
        const std::string meta =
            base::ascii::lower(src.substr(5, comma == std::string_view::npos ? 0 : comma - 5));
        const size_t slash = meta.find('/');
        std::string type =
            slash == std::string::npos ? "bin" : meta.substr(slash + 1, meta.find(';') - slash - 1);
        if (type == "jpeg") type = "jpg";
        if (type.empty() || type.size() > 8 ||
            type.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string::npos)
            type = "bin";
        ref.name = "picture." + type;
        if (comma != std::string_view::npos && meta.size() >= 7 &&
            meta.substr(meta.size() - 7) == ";base64") {
            ref.bytes = decodeBase64(src.substr(comma + 1));
        }
        return ref;
    }
    if (src.substr(0, kPluginFile.size()) == kPluginFile) {
        ref.kind = Kind::Embedded;
        std::string_view rest = src.substr(kPluginFile.size());
        rest = rest.substr(0, rest.find_first_of("?#"));
        ref.name = percentDecoded(rest);
        return ref;
    }
    const size_t colon = src.find(':');
    const size_t slash = src.find('/');
    if (colon != std::string_view::npos && colon > 1 &&
        (slash == std::string_view::npos || colon < slash)) {
        ref.kind = Kind::Web;  // http:, https:, ftp:, ... (a drive letter has a one-letter scheme)
        ref.name = std::string(src);
        return ref;
    }
    ref.kind = Kind::File;
    ref.name = percentDecoded(src.substr(0, src.find_first_of("?#")));
    return ref;
}

}  // namespace zentrix::banktool
