#pragma once

// One initialization file in memory, with the profile semantics of Windows:
// sections in square brackets, "key=value" lines, names matched without
// regard to case, the first of duplicate sections or keys wins, lines that
// begin with ';' are comments. Values are trimmed and one pair of enclosing
// quotes is removed. Every line is kept, so writing a key changes only that
// key's line (or adds one) and the rest of the file stays as it was.

#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::platform {

class ProfileDocument {
public:
    static ProfileDocument parse(const std::string& text);
    std::string serialize() const;

    // The key's value; nullopt when the section or the key is missing. A key
    // written without '=' is present with the empty value.
    std::optional<std::string> value(const std::string& section, const std::string& key) const;

    // Key names of the section in file order (comments and blank lines left out).
    std::vector<std::string> keyNames(const std::string& section) const;

    bool hasSection(const std::string& section) const;

    // Replaces the key's value in the first section of that name, or adds the
    // key at the end of that section, or adds the section at the end of the
    // file. Names and values holding line breaks cannot be written.
    Status setValue(const std::string& section, const std::string& key, const std::string& value);

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string text;
        LineKind kind = LineKind::Other;
        std::string name;   // section or key name, trimmed
        std::string value;  // key value, trimmed and unquoted
    };
    // Index of the first section line of that name, or npos.
    size_t findSection(const std::string& section) const;
    // Index of the key's line in the section starting at sectionLine, or npos.
    size_t findKey(size_t sectionLine, const std::string& key) const;
    // One past the section's last line.
    size_t sectionEnd(size_t sectionLine) const;
    static Line classify(std::string text);

    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";
    bool byteOrderMark_ = false;
    bool finalLineEnd_ = true;
};

}  // namespace zentrix::platform
