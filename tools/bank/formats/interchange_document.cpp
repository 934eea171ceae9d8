#include "tools/bank/formats/interchange_document.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "questionbank/answer_key.h"

namespace zentrix::banktool {

namespace {

constexpr size_t kTitleLength = 60;
constexpr size_t kLabelLength = 40;

// Cuts UTF-8 text to at most `limit` bytes at a blank, never inside a
// character, and marks the cut with "...".
std::string cut(const std::string& text, size_t limit) {
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    const size_t blank = text.rfind(' ', end);
    if (blank != std::string::npos && blank > limit / 2) end = blank;
    return base::ascii::trimmed(text.substr(0, end)) + "...";
}

}  // namespace

std::string textWithSteps(const InterchangeQuestion& q) {
    std::string text = q.text;
    for (size_t i = 0; i < q.choices.size(); ++i)
        text += (i == 0 ? (text.empty() ? "" : "\n\n") : "\n") + std::to_string(i + 1) + ". " +
                q.choices[i];
    return text;
}

std::string shareOfMarks(int right) {
    if (right <= 1) return "100";
    // Five decimals, as the platforms list their fractions; trailing zeros dropped.
    const long long scaled = (10000000LL + right / 2) / right;  // 100 / right in units of 0.00001
    std::string text = std::to_string(scaled / 100000);
    std::string decimals = std::to_string(100000 + scaled % 100000).substr(1);
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    return decimals.empty() ? text : text + "." + decimals;
}

std::string hintFromFeedback(
    const std::vector<std::pair<std::string, std::string>>& choiceFeedback) {
    if (choiceFeedback.empty()) return {};
    const std::string first = base::ascii::trimmed(choiceFeedback.front().second);
    const bool allSame =
        !first.empty() &&
        std::all_of(choiceFeedback.begin(), choiceFeedback.end(),
                    [&](const auto& c) { return base::ascii::trimmed(c.second) == first; });
    if (allSame) return first;
    std::vector<std::string> lines;
    for (const auto& [choice, feedback] : choiceFeedback) {
        if (!base::ascii::trimmed(feedback).empty())
            lines.push_back(base::ascii::trimmed(choice) + ": " + base::ascii::trimmed(feedback));
    }
    return joinTexts(lines, "\n");
}

std::string joinTexts(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (const std::string& part : parts) {
        if (base::ascii::trimmed(part).empty()) continue;
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

std::string titleFromText(const std::string& text) {
    const std::string body = base::ascii::trimmed(text);
    return cut(base::ascii::trimmed(body.substr(0, body.find('\n'))), kTitleLength);
}

std::string questionLabel(const std::string& title, const std::string& text) {
    std::string label =
        base::ascii::trimmed(title).empty() ? titleFromText(text) : base::ascii::trimmed(title);
    std::replace(label.begin(), label.end(), '\n', ' ');
    return cut(label, kLabelLength);
}

void InterchangeDocument::skip(const std::string& where, const std::string& title,
                               const std::string& text, const std::string& reason) {
    const std::string label = questionLabel(title, text);
    skipped.push_back(
        {where, "skipped " + (label.empty() ? std::string("a question") : "\"" + label + "\"") +
                    ": " + reason});
}

void InterchangeDocument::accept(const std::string& category, InterchangeQuestion q) {
    using Kind = InterchangeQuestion::Kind;
    const int count = static_cast<int>(q.choices.size());
    auto refuse = [&](const std::string& reason) { skip(q.where, q.title, q.text, reason); };
    if (base::ascii::trimmed(q.title).empty() && base::ascii::trimmed(q.text).empty())
        return refuse("it has neither a title nor a text");
    std::sort(q.right.begin(), q.right.end());
    q.right.erase(std::unique(q.right.begin(), q.right.end()), q.right.end());
    if (q.kind == Kind::TrueFalse) {
        if (q.right.size() != 1 || (q.right[0] != 1 && q.right[0] != 2))
            return refuse("it does not say whether true or false is right");
        q.choices.clear();
    } else if (q.kind != Kind::Steps) {
        if (count == 0) return refuse("it has no choices");
        if (count > questionbank::AnswerKey::kMaxChoices)
            return refuse("it has " + std::to_string(count) +
                          " choices; a bank question holds at most " +
                          std::to_string(questionbank::AnswerKey::kMaxChoices));
        if (q.right.empty()) return refuse("none of its choices is right");
        if (q.right.front() < 1 || q.right.back() > count)
            return refuse("its right answer is not one of its choices");
        if (q.kind == Kind::SingleChoice && q.right.size() != 1)
            return refuse(std::to_string(q.right.size()) +
                          " choices are right but the learner picks one");
    }
    for (InterchangeCategory& c : categories) {
        if (c.name == category) {
            c.questions.push_back(std::move(q));
            return;
        }
    }
    categories.push_back({category, {}});
    categories.back().questions.push_back(std::move(q));
}

int InterchangeDocument::questionCount() const {
    int count = 0;
    for (const InterchangeCategory& c : categories) count += static_cast<int>(c.questions.size());
    return count;
}

}  // namespace zentrix::banktool
