#include "tools/bank/formats/aiken_reader.h"

#include <cctype>
#include <optional>

#include "base/ascii_text.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// "B. text" or "B) text": the letter and the text.
std::optional<std::pair<char, std::string_view>> choiceLine(std::string_view line) {
    if (line.size() < 3 || line[0] < 'A' || line[0] > 'Z' || (line[1] != '.' && line[1] != ')') ||
        (line[2] != ' ' && line[2] != '\t'))
        return std::nullopt;
    return std::make_pair(line[0], base::ascii::trimmedView(line.substr(3)));
}

// The letters after "ANSWER:", when the line is one.
std::optional<std::string_view> answerLine(std::string_view line) {
    if (line.size() < 7) return std::nullopt;
    if (!base::ascii::equalsIgnoringCase(line.substr(0, 7), "ANSWER:")) return std::nullopt;
    return base::ascii::trimmedView(line.substr(7));
}

}  // namespace

bool AikenReader::looksLikeAiken(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        if (answerLine(base::ascii::trimmedView(text.substr(pos, end - pos)))) return true;
        pos = end + 1;
    }
    return false;
}

xbase::Result<InterchangeDocument> AikenReader::read(std::string_view text,
                                                     const std::string& name) {
    InterchangeDocument document;
    auto error = [&](int line, const std::string& message) {
        return xbase::Status::error(name + ":" + std::to_string(line) + ": " + message);
    };
    InterchangeQuestion q;
    std::string letters;  // of the choices so far, in order
    int start = 0;        // line of the question being read, 0 between questions
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = base::ascii::trimmedView(text.substr(pos, end - pos));
        pos = end + 1;
        ++lineNumber;
        if (line.empty()) {
            if (start != 0 && letters.empty())
                return error(start,
                             "the question has no choices (write them as \"A. text\" on the lines "
                             "below it)");
            if (start != 0)
                return error(lineNumber,
                             "a blank line before the ANSWER line of the question on line " +
                                 std::to_string(start));
            continue;
        }
        if (std::optional<std::string_view> answer = answerLine(line)) {
            if (start == 0 || letters.empty())
                return error(lineNumber, "an ANSWER line without a question and its choices");
            std::vector<int> right;
            for (char c : *answer) {
                if (c == ',' || c == ' ' || c == '\t') continue;
                const size_t index = letters.find(base::ascii::toUpper(c));
                if (index == std::string::npos)
                    return error(lineNumber, "the answer \"" + std::string(*answer) +
                                                 "\" names no choice of the question");
                right.push_back(static_cast<int>(index) + 1);
            }
            if (right.empty()) return error(lineNumber, "the ANSWER line names no letter");
            q.where = name + ":" + std::to_string(start);
            q.kind = right.size() == 1 ? Kind::SingleChoice : Kind::MultipleChoice;
            q.right = std::move(right);
            q.title = titleFromText(q.text);
            document.accept("", std::move(q));
            q = InterchangeQuestion();
            letters.clear();
            start = 0;
            continue;
        }
        if (auto choice = choiceLine(line); choice && start != 0) {
            if (letters.find(choice->first) != std::string::npos)
                return error(lineNumber,
                             std::string("choice ") + choice->first + " is given twice");
            letters.push_back(choice->first);
            q.choices.emplace_back(choice->second);
            continue;
        }
        if (!letters.empty())
            return error(lineNumber, "expected another choice (\"" +
                                         std::string(1, static_cast<char>(letters.back() + 1)) +
                                         ". text\") or the ANSWER line");
        if (start == 0) start = lineNumber;
        if (!q.text.empty()) q.text.push_back('\n');
        q.text.append(line);
    }
    if (start != 0) return error(start, "the question has no ANSWER line");
    return document;
}

}  // namespace zentrix::banktool
