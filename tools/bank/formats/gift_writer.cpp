#include "tools/bank/formats/gift_writer.h"

#include <algorithm>

#include "tools/bank/formats/gift_reader.h"
#include "tools/bank/formats/html_text.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// A category name: "/" separates levels, so a slash in a title is "//".
std::string categoryName(const std::string& title) {
    std::string out;
    for (char c : title) {
        if (c == '\n' || c == '\r') c = ' ';
        out += c == '/' ? std::string("//") : std::string(1, c);
    }
    return out;
}

class QuestionWriter {
public:
    explicit QuestionWriter(const InterchangeQuestion& q) : q_(q), html_(q.picture.has_value()) {}

    std::string write() {
        std::string out = "::" + GiftReader::escape(q_.title) + "::" + (html_ ? "[html]" : "");
        if (q_.kind == Kind::Steps) return out + part(textWithSteps(q_), true) + "\n";
        out += part(q_.text, true);
        if (html_) {
            out += (q_.text.empty() ? "" : "<br />") +
                   GiftReader::escape("<img src=\"" + HtmlText::fromPlainText(q_.picture->name) +
                                      "\" alt=\"\" />");
        }
        const std::string hint = part(q_.hint);
        const std::string reference =
            q_.reference.empty() ? std::string() : "####" + part(q_.reference);
        if (q_.kind == Kind::TrueFalse) {
            out += q_.right.front() == 1 ? "{TRUE" : "{FALSE";
            if (!hint.empty()) out += "#" + hint + "#" + hint;
            return out + reference + "}\n";
        }
        out += " {\n";
        const bool single = q_.kind == Kind::SingleChoice;
        const std::string share = shareOfMarks(static_cast<int>(q_.right.size()));
        for (size_t i = 0; i < q_.choices.size(); ++i) {
            const bool right = std::find(q_.right.begin(), q_.right.end(),
                                         static_cast<int>(i) + 1) != q_.right.end();
            const std::string choice = part(q_.choices[i]);
            // Without "=" every choice with a positive weight is right; a
            // text that starts with "%" needs a weight before it.
            std::string mark =
                single ? (right ? "=" : "~") : (right ? "~%" + share + "%" : "~%-100%");
            if (single && !choice.empty() && choice[0] == '%') mark += right ? "%100%" : "%0%";
            out += "\t" + mark + choice + (hint.empty() ? "" : "#" + hint) + "\n";
        }
        if (!reference.empty()) out += "\t" + reference + "\n";
        return out + "}\n";
    }

private:
    // A text in the question's format, escaped; the first part of a
    // plain question names its format when it could be read as one.
    std::string part(const std::string& text, bool first = false) const {
        if (html_) return GiftReader::escape(HtmlText::fromPlainText(text));
        const std::string escaped = GiftReader::escape(text);
        return first && !escaped.empty() && escaped[0] == '[' ? "[moodle]" + escaped : escaped;
    }

    const InterchangeQuestion& q_;
    const bool html_;
};

}  // namespace

std::string GiftWriter::write(const ExportedExam& exam) {
    std::string out = "// Exam " + exam.id + " of a Zentrix question bank.\n\n";
    out += "$CATEGORY: $course$/top/" + categoryName(exam.title) + "\n";
    for (const InterchangeQuestion& q : exam.questions) out += "\n" + QuestionWriter(q).write();
    return out;
}

}  // namespace zentrix::banktool
