#include "tools/bank/formats/html_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "base/ascii_text.h"
#include "base/windows1252.h"
#include "tools/bank/formats/plain_text_builder.h"
#include "tools/bank/formats/text_encoding.h"

namespace zentrix::banktool {

namespace {

// Names of U+00A0..U+00FF, in order.
constexpr std::array<const char*, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

const std::map<std::string_view, char32_t>& namedReferences() {
    static const std::map<std::string_view, char32_t> names = [] {
        std::map<std::string_view, char32_t> m = {
            {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
            {"apos", '\''},     {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},
            {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
            {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021}, {"bull", 0x2022},
            {"hellip", 0x2026}, {"permil", 0x2030}, {"lsaquo", 0x2039}, {"rsaquo", 0x203A},
            {"euro", 0x20AC},   {"trade", 0x2122},  {"OElig", 0x0152},  {"oelig", 0x0153},
            {"Scaron", 0x0160}, {"scaron", 0x0161}, {"Yuml", 0x0178},   {"fnof", 0x0192},
            {"circ", 0x02C6},   {"tilde", 0x02DC},  {"ensp", 0x2002},   {"emsp", 0x2003},
            {"thinsp", 0x2009}, {"zwnj", 0x200C},   {"zwj", 0x200D},    {"larr", 0x2190},
            {"rarr", 0x2192},   {"uarr", 0x2191},   {"darr", 0x2193},   {"harr", 0x2194},
            {"le", 0x2264},     {"ge", 0x2265},     {"ne", 0x2260},     {"minus", 0x2212},
            {"infin", 0x221E},
        };
        for (size_t i = 0; i < kLatin1Names.size(); ++i)
            m[kLatin1Names[i]] = static_cast<char32_t>(0xA0 + i);
        return m;
    }();
    return names;
}

bool isTagNameChar(char c) { return base::ascii::isAlnum(c) || c == ':' || c == '-' || c == '_'; }

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    bool selfClosing = false;
    std::map<std::string, std::string> attributes;  // lower-case names, decoded values
};

class HtmlReader {
public:
    explicit HtmlReader(std::string_view html) : html_(html) {}

    HtmlText::Result read() {
        while (pos_ < html_.size()) {
            const char c = html_[pos_];
            if (c == '<') {
                markup();
            } else if (c == '&') {
                reference();
            } else {
                const size_t end = html_.find_first_of("<&", pos_);
                const size_t stop = end == std::string_view::npos ? html_.size() : end;
                builder_.text(html_.substr(pos_, stop - pos_));
                pos_ = stop;
            }
        }
        result_.text = builder_.finish();
        return std::move(result_);
    }

private:
    bool startsWith(std::string_view s) const { return html_.compare(pos_, s.size(), s) == 0; }

    void reference() {
        const size_t semicolon = html_.find(';', pos_ + 1);
        if (semicolon != std::string_view::npos && semicolon - pos_ <= 32) {
            const char32_t cp =
                HtmlText::characterReference(html_.substr(pos_ + 1, semicolon - pos_ - 1));
            if (cp != 0) {
                std::string utf8;
                TextEncoding::appendUtf8(utf8, cp);
                builder_.text(utf8);
                pos_ = semicolon + 1;
                return;
            }
        }
        builder_.text("&");
        ++pos_;
    }

    void skipPast(std::string_view end) {
        const size_t at = html_.find(end, pos_);
        pos_ = at == std::string_view::npos ? html_.size() : at + end.size();
    }

    void markup() {
        if (startsWith("<!--")) {
            pos_ += 4;
            return skipPast("-->");
        }
        if (startsWith("<![CDATA[")) {
            pos_ += 9;
            const size_t end = html_.find("]]>", pos_);
            const size_t stop = end == std::string_view::npos ? html_.size() : end;
            builder_.text(html_.substr(pos_, stop - pos_));
            pos_ = end == std::string_view::npos ? stop : stop + 3;
            return;
        }
        const char after = pos_ + 1 < html_.size() ? html_[pos_ + 1] : '\0';
        if (after == '!' || after == '?') return skipPast(">");
        if (after != '/' && !base::ascii::isAlpha(after)) {
            builder_.text("<");
            ++pos_;
            return;
        }
        Tag tag;
        if (!readTag(tag)) {
            pos_ = html_.size();  // an unclosed tag ends the text
            return;
        }
        apply(tag);
    }

    bool readTag(Tag& tag) {
        ++pos_;
        if (html_[pos_] == '/') {
            tag.closing = true;
            ++pos_;
        }
        const size_t nameStart = pos_;
        while (pos_ < html_.size() && isTagNameChar(html_[pos_])) ++pos_;
        tag.name = base::ascii::lower(html_.substr(nameStart, pos_ - nameStart));
        while (pos_ < html_.size()) {
            const char c = html_[pos_];
            if (c == '>') {
                ++pos_;
                return true;
            }
            if (c == '/' || base::ascii::isSpace(c)) {
                tag.selfClosing = c == '/';
                ++pos_;
                continue;
            }
            const size_t attrStart = pos_;
            while (pos_ < html_.size() && html_[pos_] != '=' && html_[pos_] != '>' &&
                   html_[pos_] != '/' && !base::ascii::isSpace(html_[pos_]))
                ++pos_;
            const std::string name = base::ascii::lower(html_.substr(attrStart, pos_ - attrStart));
            std::string value;
            while (pos_ < html_.size() && base::ascii::isSpace(html_[pos_])) ++pos_;
            if (pos_ < html_.size() && html_[pos_] == '=') {
                ++pos_;
                while (pos_ < html_.size() && base::ascii::isSpace(html_[pos_])) ++pos_;
                if (pos_ < html_.size() && (html_[pos_] == '"' || html_[pos_] == '\'')) {
                    const char quote = html_[pos_++];
                    const size_t end = html_.find(quote, pos_);
                    if (end == std::string_view::npos) return false;
                    value = HtmlText::decodeReferences(html_.substr(pos_, end - pos_));
                    pos_ = end + 1;
                } else {
                    const size_t valueStart = pos_;
                    while (pos_ < html_.size() && html_[pos_] != '>' &&
                           !base::ascii::isSpace(html_[pos_]))
                        ++pos_;
                    value = HtmlText::decodeReferences(html_.substr(valueStart, pos_ - valueStart));
                }
            }
            if (!name.empty()) tag.attributes.emplace(name, value);
        }
        return false;
    }

    void apply(const Tag& tag) {
        if (tag.name == "img") {
            auto src = tag.attributes.find("src");
            if (!tag.closing && src != tag.attributes.end() && !src->second.empty())
                result_.pictures.push_back(src->second);
            return;
        }
        if (!tag.closing && !tag.selfClosing && PlainTextBuilder::holdsNoText(tag.name)) {
            // Skip to the closing tag.
            const std::string close = "</" + tag.name;
            size_t at = html_.find('<', pos_);
            while (at != std::string_view::npos &&
                   base::ascii::lower(html_.substr(at, close.size())) != close)
                at = html_.find('<', at + 1);
            pos_ = at == std::string_view::npos ? html_.size() : at;
            return;
        }
        builder_.element(tag.name, tag.closing);
    }

    std::string_view html_;
    size_t pos_ = 0;
    PlainTextBuilder builder_;
    HtmlText::Result result_;
};

}  // namespace

char32_t HtmlText::characterReference(std::string_view name) {
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) return 0;
        unsigned long value = 0;
        for (char c : digits) {
            const int d = hex                       ? base::ascii::hexDigitValue(c)
                          : base::ascii::isDigit(c) ? c - '0'
                                                    : -1;
            if (d < 0) return 0;
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(d);
        }
        // Browsers read the C1 range as Windows-1252, as pages from Windows meant it.
        if (value >= 0x80 && value <= 0x9F)
            return base::windows1252CodePoint(static_cast<unsigned char>(value));
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
        return static_cast<char32_t>(value);
    }
    const auto& names = namedReferences();
    auto it = names.find(name);
    return it == names.end() ? 0 : it->second;
}

std::string HtmlText::decodeReferences(std::string_view text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) break;
        out.append(text.substr(pos, amp - pos));
        const size_t semicolon = text.find(';', amp + 1);
        const char32_t cp = semicolon != std::string_view::npos && semicolon - amp <= 32
                                ? characterReference(text.substr(amp + 1, semicolon - amp - 1))
                                : 0;
        if (cp == 0) {
            out.push_back('&');
            pos = amp + 1;
        } else {
            TextEncoding::appendUtf8(out, cp);
            pos = semicolon + 1;
        }
    }
    out.append(text.substr(pos));
    return out;
}

HtmlText::Result HtmlText::toPlainText(std::string_view html) { return HtmlReader(html).read(); }

std::string HtmlText::fromPlainText(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') break;
                out += "<br />";
                break;
            case '\n':
                out += "<br />";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace zentrix::banktool
