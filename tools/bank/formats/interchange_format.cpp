#include "tools/bank/formats/interchange_format.h"

#include <cctype>
#include <filesystem>

#include "base/ascii_text.h"
#include "tools/bank/formats/aiken_reader.h"

namespace zentrix::banktool {

namespace {}  // namespace

std::optional<std::string> InterchangeFormats::rootElement(std::string_view s) {
    if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
    size_t pos = 0;
    while (true) {
        pos = s.find_first_not_of(" \t\r\n", pos);
        if (pos == std::string_view::npos || s[pos] != '<') return std::nullopt;
        if (s.compare(pos, 4, "<!--") == 0) {
            pos = s.find("-->", pos);
            if (pos == std::string_view::npos) return std::nullopt;
            pos += 3;
        } else if (s.compare(pos, 2, "<?") == 0 || s.compare(pos, 2, "<!") == 0) {
            pos = s.find('>', pos);
            if (pos == std::string_view::npos) return std::nullopt;
            ++pos;
        } else {
            const size_t start = pos + 1;
            size_t end = start;
            while (end < s.size() && (base::ascii::isAlnum(s[end]) || s[end] == ':' ||
                                      s[end] == '-' || s[end] == '_' || s[end] == '.'))
                ++end;
            std::string name(s.substr(start, end - start));
            const size_t colon = name.find(':');
            if (colon != std::string::npos) name.erase(0, colon + 1);
            return name;
        }
    }
}

std::optional<InterchangeFormat> InterchangeFormats::parse(std::string_view name) {
    const std::string n = base::ascii::lower(std::string(name));
    if (n == "exam") return InterchangeFormat::ExamSource;
    if (n == "gift") return InterchangeFormat::Gift;
    if (n == "aiken") return InterchangeFormat::Aiken;
    if (n == "moodle-xml" || n == "moodle") return InterchangeFormat::MoodleXml;
    if (n == "qti") return InterchangeFormat::Qti;
    if (n == "csv") return InterchangeFormat::Csv;
    return std::nullopt;
}

const char* InterchangeFormats::name(InterchangeFormat format) {
    switch (format) {
        case InterchangeFormat::ExamSource:
            return "exam";
        case InterchangeFormat::Gift:
            return "gift";
        case InterchangeFormat::Aiken:
            return "aiken";
        case InterchangeFormat::MoodleXml:
            return "moodle-xml";
        case InterchangeFormat::Qti:
            return "qti";
        case InterchangeFormat::Csv:
            return "csv";
    }
    return "unknown";
}

bool InterchangeFormats::canExport(InterchangeFormat format) {
    return format == InterchangeFormat::ExamSource || format == InterchangeFormat::Gift ||
           format == InterchangeFormat::MoodleXml || format == InterchangeFormat::Qti;
}

std::optional<InterchangeFormat> InterchangeFormats::guess(const std::string& path,
                                                           std::string_view content) {
    const std::filesystem::path file(path);
    const std::string extension = base::ascii::lower(file.extension().string());
    if (extension == ".exam") return InterchangeFormat::ExamSource;
    if (content.substr(0, 4) == "PK\x03\x04" || content.substr(0, 4) == "PK\x05\x06")
        return InterchangeFormat::Qti;
    if (std::optional<std::string> root = rootElement(content)) {
        if (*root == "quiz") return InterchangeFormat::MoodleXml;
        if (*root == "assessmentItem" || *root == "manifest") return InterchangeFormat::Qti;
        return std::nullopt;
    }
    if (extension == ".csv" || extension == ".tsv") return InterchangeFormat::Csv;
    if (extension == ".gift") return InterchangeFormat::Gift;
    if (extension == ".aiken") return InterchangeFormat::Aiken;
    // A plain text file: braces make GIFT, ANSWER lines without them Aiken.
    if (content.find('{') != std::string_view::npos) return InterchangeFormat::Gift;
    if (AikenReader::looksLikeAiken(content)) return InterchangeFormat::Aiken;
    return std::nullopt;
}

}  // namespace zentrix::banktool
