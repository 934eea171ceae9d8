#pragma once

// The file formats zentrix-bank reads and writes, by the names the command
// line uses, and the guess of a file's format from its name and first bytes.

#include <optional>
#include <string>
#include <string_view>

namespace zentrix::banktool {

enum class InterchangeFormat { ExamSource, Gift, Aiken, MoodleXml, Qti, Csv };

class InterchangeFormats {
public:
    // "exam", "gift", "aiken", "moodle-xml", "qti", "csv".
    static std::optional<InterchangeFormat> parse(std::string_view name);
    static const char* name(InterchangeFormat format);
    static bool canExport(InterchangeFormat format);

    // The local name of the first element of an XML text, or nothing.
    static std::optional<std::string> rootElement(std::string_view xml);

    // From the file's extension and content; nothing when neither tells.
    static std::optional<InterchangeFormat> guess(const std::string& path,
                                                  std::string_view content);
};

}  // namespace zentrix::banktool
