#include "platform/profile_document.h"

#include "base/ascii_text.h"

namespace zentrix::platform {
namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t npos = std::string::npos;

using base::ascii::trimmed;

std::string unquoted(const std::string& text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != npos; }

}  // namespace

ProfileDocument::Line ProfileDocument::classify(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string content = trimmed(line.text);
    if (content.empty() || content.front() == ';') return line;
    if (content.front() == '[') {
        size_t close = content.find(']');
        line.kind = LineKind::Section;
        line.name = trimmed(content.substr(1, close == npos ? npos : close - 1));
        return line;
    }
    size_t equals = content.find('=');
    line.name = trimmed(content.substr(0, equals));
    if (line.name.empty()) return line;  // "=value" names no key
    line.kind = LineKind::Key;
    if (equals != npos) line.value = unquoted(trimmed(content.substr(equals + 1)));
    return line;
}

ProfileDocument ProfileDocument::parse(const std::string& text) {
    ProfileDocument document;
    size_t start = 0;
    if (text.compare(0, 3, kByteOrderMark) == 0) {
        document.byteOrderMark_ = true;
        start = 3;
    }
    size_t firstBreak = text.find('\n', start);
    if (firstBreak != npos && firstBreak > start && text[firstBreak - 1] == '\r') {
        document.lineEnd_ = "\r\n";
    }
    document.finalLineEnd_ = text.size() <= start || text.back() == '\n';
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        document.lines_.push_back(classify(std::move(line)));
        start = end + 1;
    }
    return document;
}

std::string ProfileDocument::serialize() const {
    std::string out = byteOrderMark_ ? kByteOrderMark : "";
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text;
        if (i + 1 < lines_.size() || finalLineEnd_) out += lineEnd_;
    }
    return out;
}

size_t ProfileDocument::findSection(const std::string& section) const {
    const std::string wanted = trimmed(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section &&
            base::ascii::equalsIgnoringCase(lines_[i].name, wanted))
            return i;
    }
    return npos;
}

size_t ProfileDocument::sectionEnd(size_t sectionLine) const {
    size_t i = sectionLine + 1;
    while (i < lines_.size() && lines_[i].kind != LineKind::Section) ++i;
    return i;
}

size_t ProfileDocument::findKey(size_t sectionLine, const std::string& key) const {
    const std::string wanted = trimmed(key);
    const size_t end = sectionEnd(sectionLine);
    for (size_t i = sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Key &&
            base::ascii::equalsIgnoringCase(lines_[i].name, wanted))
            return i;
    }
    return npos;
}

bool ProfileDocument::hasSection(const std::string& section) const {
    return findSection(section) != npos;
}

std::optional<std::string> ProfileDocument::value(const std::string& section,
                                                  const std::string& key) const {
    size_t sectionLine = findSection(section);
    if (sectionLine == npos) return std::nullopt;
    size_t keyLine = findKey(sectionLine, key);
    if (keyLine == npos) return std::nullopt;
    return lines_[keyLine].value;
}

std::vector<std::string> ProfileDocument::keyNames(const std::string& section) const {
    std::vector<std::string> names;
    size_t sectionLine = findSection(section);
    if (sectionLine == npos) return names;
    const size_t end = sectionEnd(sectionLine);
    for (size_t i = sectionLine + 1; i < end; ++i) {
        if (lines_[i].kind == LineKind::Key) names.push_back(lines_[i].name);
    }
    return names;
}

Status ProfileDocument::setValue(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        return Status::error("[" + section + "] " + key + ": a line break cannot be written");
    }
    if (trimmed(key).empty() || trimmed(section).empty()) {
        return Status::error("[" + section + "] " + key + ": empty section or key name");
    }
    size_t sectionLine = findSection(section);
    if (sectionLine == npos) {
        if (!lines_.empty() && !trimmed(lines_.back().text).empty()) lines_.push_back(classify(""));
        lines_.push_back(classify("[" + trimmed(section) + "]"));
        lines_.push_back(classify(trimmed(key) + "=" + value));
        finalLineEnd_ = true;
        return Status::ok();
    }
    size_t keyLine = findKey(sectionLine, key);
    if (keyLine != npos) {
        lines_[keyLine] = classify(lines_[keyLine].name + "=" + value);
        return Status::ok();
    }
    // After the section's last non-blank line, so a blank separator stays below.
    size_t insertAt = sectionEnd(sectionLine);
    while (insertAt > sectionLine + 1 && trimmed(lines_[insertAt - 1].text).empty()) --insertAt;
    lines_.insert(lines_.begin() + long(insertAt), classify(trimmed(key) + "=" + value));
    if (insertAt == lines_.size() - 1) finalLineEnd_ = true;
    return Status::ok();
}

}  // namespace zentrix::platform
