#include "tools/bank/formats/gift_reader.h"

#include <algorithm>
#include <cctype>

#include "base/ascii_text.h"
#include "tools/bank/formats/html_text.h"
#include "tools/bank/formats/picture_reference.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// The first `what` at or after `from` that no backslash escapes.
size_t findUnescaped(std::string_view s, std::string_view what, size_t from = 0) {
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
            continue;
        }
        if (s.compare(i, what.size(), what) == 0) return i;
    }
    return std::string_view::npos;
}

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char next = s[i + 1];
            if (std::string_view("~=#{}:\\").find(next) != std::string_view::npos) {
                out.push_back(next);
                ++i;
                continue;
            }
            if (next == 'n') {
                out.push_back('\n');
                ++i;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

// A decimal weight such as "50", "-33.33333" or "12.5".
bool parseWeight(std::string_view s, double& value) {
    s = base::ascii::trimmedView(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 20) return false;
    double whole = 0, scale = 1;
    bool point = false, digits = false;
    for (char c : s) {
        if (c == '.' && !point) {
            point = true;
        } else if (base::ascii::isDigit(c)) {
            digits = true;
            if (point) {
                scale /= 10;
                whole += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    value = negative ? -whole : whole;
    return digits;
}

// One question's lines, without comment lines, joined by "\n".
struct Block {
    std::string text;
    std::vector<size_t> starts;  // offset of each line in `text`
    std::vector<int> lines;      // its number in the file
    std::string category;

    void add(int line, std::string_view content) {
        if (!text.empty()) text.push_back('\n');
        starts.push_back(text.size());
        lines.push_back(line);
        text.append(content);
    }
    int lineOf(size_t offset) const {
        const auto it = std::upper_bound(starts.begin(), starts.end(), offset);
        return lines[static_cast<size_t>(std::max<std::ptrdiff_t>(0, it - starts.begin() - 1))];
    }
};

class Reader {
public:
    Reader(std::string_view text, const std::string& name) : text_(text), name_(name) {}

    xbase::Result<InterchangeDocument> read() {
        std::string category;
        Block block;
        int line = 0;
        size_t pos = 0;
        while (pos <= text_.size()) {
            size_t end = text_.find('\n', pos);
            if (end == std::string_view::npos) end = text_.size();
            std::string_view content = text_.substr(pos, end - pos);
            if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
            ++line;
            pos = end + 1;
            const std::string_view trimmed = base::ascii::trimmedView(content);
            if (trimmed.substr(0, 2) == "//") continue;
            if (trimmed.empty()) {
                ZX_TRY(flush(block));
                continue;
            }
            if (block.text.empty() && base::ascii::upper(trimmed.substr(0, 10)) == "$CATEGORY:") {
                category = std::string(base::ascii::trimmedView(trimmed.substr(10)));
                continue;
            }
            if (block.text.empty()) block.category = category;
            block.add(line, content);
        }
        ZX_TRY(flush(block));
        return std::move(document_);
    }

private:
    xbase::Status error(int line, const std::string& message) const {
        return xbase::Status::error(name_ + ":" + std::to_string(line) + ": " + message);
    }

    xbase::Status flush(Block& block) {
        xbase::Status status = block.text.empty() ? xbase::Status::ok() : question(block);
        block = Block();
        return status;
    }

    // A part of the question in its format: HTML becomes plain text.
    std::string inFormat(const std::string& raw,
                         std::vector<std::string>* pictures = nullptr) const {
        const std::string text = unescape(raw);
        if (format_ != "html") return std::string(base::ascii::trimmedView(text));
        HtmlText::Result plain = HtmlText::toPlainText(text);
        if (pictures) *pictures = std::move(plain.pictures);
        return plain.text;
    }

    xbase::Status question(const Block& block) {
        const std::string_view s = block.text;
        InterchangeQuestion q;
        q.where = name_ + ":" + std::to_string(block.lines.front());
        size_t pos = s.find_first_not_of(base::ascii::kWhitespace);
        bool titled = false;
        if (s.substr(pos, 2) == "::") {
            const size_t end = findUnescaped(s, "::", pos + 2);
            if (end == std::string_view::npos)
                return error(block.lineOf(pos), "the title opened with \"::\" is not closed");
            q.title =
                std::string(base::ascii::trimmedView(unescape(s.substr(pos + 2, end - pos - 2))));
            titled = true;
            pos = s.find_first_not_of(base::ascii::kWhitespace, end + 2);
            if (pos == std::string_view::npos) pos = s.size();
        }
        format_ = "moodle";
        if (s.substr(pos, 1) == "[") {
            const size_t close = s.find(']', pos);
            if (close != std::string_view::npos) {
                const std::string format = base::ascii::upper(s.substr(pos + 1, close - pos - 1));
                if (format == "HTML" || format == "MOODLE" || format == "PLAIN" ||
                    format == "MARKDOWN") {
                    format_ = format == "HTML" ? "html" : "text";
                    pos = close + 1;
                }
            }
        }
        const size_t open = findUnescaped(s, "{", pos);
        if (open == std::string_view::npos) {
            const std::string text = inFormat(std::string(s.substr(pos)));
            document_.skip(q.where, q.title, text, "a description without answers");
            return xbase::Status::ok();
        }
        const size_t close = findUnescaped(s, "}", open + 1);
        if (close == std::string_view::npos)
            return error(
                block.lineOf(open),
                "the answers opened with \"{\" are not closed (a question ends at a blank line)");
        if (const size_t inner = findUnescaped(s.substr(0, close), "{", open + 1);
            inner != std::string_view::npos)
            return error(block.lineOf(inner),
                         "a \"{\" inside the answers (write \\{ for a brace in a text)");
        if (const size_t second = findUnescaped(s, "{", close + 1);
            second != std::string_view::npos)
            return error(block.lineOf(second),
                         "a question holds one block of answers (write \\{ for a brace in a text)");

        // Text on both sides of the answers: the answers stand for a blank.
        const std::string_view after = s.substr(close + 1);
        std::string raw(s.substr(pos, open - pos));
        if (!base::ascii::trimmedView(after).empty()) raw += "_____" + std::string(after);
        std::vector<std::string> pictures;
        q.text = inFormat(raw, &pictures);
        if (!titled) q.title = titleFromText(q.text);
        ZX_TRY(takeExhibit(pictures, pictureBesideOrInline, q, document_));
        return answers(block, std::string(s.substr(open + 1, close - open - 1)), open + 1, q);
    }

    xbase::Status answers(const Block& block, std::string a, size_t offset,
                          InterchangeQuestion& q) {
        if (const size_t general = findUnescaped(a, "####"); general != std::string::npos) {
            q.reference = inFormat(a.substr(general + 4));
            a.resize(general);
        }
        const std::string_view body = base::ascii::trimmedView(a);
        offset += static_cast<size_t>(body.data() - a.data());
        auto skip = [&](const std::string& reason) {
            document_.skip(q.where, q.title, q.text, reason);
            return xbase::Status::ok();
        };
        if (body.empty()) return skip("an essay question");
        if (body[0] == '#') return skip("a numerical question");

        const size_t firstHash = findUnescaped(body, "#");
        const std::string head =
            base::ascii::upper(base::ascii::trimmedView(body.substr(0, firstHash)));
        if (head == "T" || head == "TRUE" || head == "F" || head == "FALSE") {
            // {TRUE#wrong answer's feedback#right answer's feedback}
            std::vector<std::string> feedback;
            size_t at = firstHash;
            while (at != std::string_view::npos) {
                const size_t next = findUnescaped(body, "#", at + 1);
                feedback.push_back(inFormat(std::string(
                    body.substr(at + 1, next == std::string_view::npos ? next : next - at - 1))));
                at = next;
            }
            feedback.resize(2);
            const bool trueIsRight = head[0] == 'T';
            q.kind = Kind::TrueFalse;
            q.right = {trueIsRight ? 1 : 2};
            q.hint = hintFromFeedback({{"TRUE", trueIsRight ? feedback[1] : feedback[0]},
                                       {"FALSE", trueIsRight ? feedback[0] : feedback[1]}});
            document_.accept(block.category, std::move(q));
            return xbase::Status::ok();
        }

        struct Answer {
            char mark;
            std::string raw;
            size_t offset;
        };
        std::vector<Answer> list;
        for (size_t i = 0; i < body.size(); ++i) {
            const char c = body[i];
            if (c == '\\') {
                if (list.empty()) break;
                list.back().raw.push_back(c);
                if (i + 1 < body.size()) list.back().raw.push_back(body[++i]);
                continue;
            }
            if (c == '=' || c == '~') {
                list.push_back({c, {}, offset + i});
                continue;
            }
            if (list.empty()) {
                if (base::ascii::isSpace(c)) continue;
                return skip("an answer without \"=\" or \"~\" (a kind the bank cannot hold)");
            }
            list.back().raw.push_back(c);
        }
        if (list.empty())
            return skip("an answer without \"=\" or \"~\" (a kind the bank cannot hold)");
        const bool hasWrong =
            std::any_of(list.begin(), list.end(), [](const Answer& x) { return x.mark == '~'; });
        const bool hasRight =
            std::any_of(list.begin(), list.end(), [](const Answer& x) { return x.mark == '='; });
        for (const Answer& x : list) {
            if (x.mark == '=' && findUnescaped(x.raw, "->") != std::string::npos)
                return skip("a matching question");
        }
        if (!hasWrong) return skip("a short-answer question");

        std::vector<std::pair<std::string, std::string>> feedback;
        int partial = 0;
        for (Answer& x : list) {
            std::string_view rest = base::ascii::trimmedView(x.raw);
            double weight = x.mark == '=' ? 100 : 0;
            if (!rest.empty() && rest[0] == '%') {
                const size_t end = rest.find('%', 1);
                if (end == std::string_view::npos || !parseWeight(rest.substr(1, end - 1), weight))
                    return error(block.lineOf(x.offset), "the weight after \"" +
                                                             std::string(1, x.mark) +
                                                             "\" is written %number%, as in ~%50%");
                rest = rest.substr(end + 1);
            }
            const size_t hash = findUnescaped(rest, "#");
            std::string choice = inFormat(std::string(rest.substr(0, hash)));
            std::string said = hash == std::string_view::npos
                                   ? std::string()
                                   : inFormat(std::string(rest.substr(hash + 1)));
            if (choice.empty())
                return skip("choice " + std::to_string(q.choices.size() + 1) + " has no text");
            // With a "=" the learner picks one: only full marks are right and
            // lesser weights are partial credit a bank cannot give. Without
            // one, every choice with a positive weight is right.
            const bool right = hasRight ? (x.mark == '=' ? weight > 0 : weight >= 100) : weight > 0;
            if (hasRight && !right && weight > 0) ++partial;
            q.choices.push_back(choice);
            if (right) q.right.push_back(static_cast<int>(q.choices.size()));
            feedback.push_back({std::move(choice), std::move(said)});
        }
        if (partial > 0)
            document_.note(q.where, std::to_string(partial) + " choice" + (partial > 1 ? "s" : "") +
                                        " with partial credit count as wrong");
        q.kind = hasRight && q.right.size() == 1 ? Kind::SingleChoice : Kind::MultipleChoice;
        q.hint = hintFromFeedback(feedback);
        document_.accept(block.category, std::move(q));
        return xbase::Status::ok();
    }

    std::string_view text_;
    const std::string& name_;
    std::string format_;  // "html", or "text" for the others
    InterchangeDocument document_;
};

}  // namespace

xbase::Result<InterchangeDocument> GiftReader::read(std::string_view text,
                                                    const std::string& name) {
    return Reader(text, name).read();
}

std::string GiftReader::escape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::string_view("~=#{}:\\").find(c) != std::string_view::npos) {
            out.push_back('\\');
            out.push_back(c);
        } else if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace zentrix::banktool
