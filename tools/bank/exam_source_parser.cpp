#include "tools/bank/exam_source_parser.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/ascii_text.h"
#include "questionbank/answer_key.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/bank_records.h"

namespace zentrix::banktool {

using questionbank::AnswerKey;
using questionbank::BankPath;
namespace layout = questionbank::layout;

namespace {

struct Value {
    enum class Kind { Text, Integer, Boolean, List } kind = Kind::Text;
    std::string text;
    long long integer = 0;
    bool boolean = false;
    std::vector<long long> list;
    bool multiLine = false;  // written between ''' quotes
};

struct Entry {
    std::string key;
    Value value;
    int line = 0;
};

struct Section {
    std::string name;
    bool repeated = false;  // [[name]]
    int line = 0;
    std::vector<Entry> entries;
};

// Splits the document into sections of key/value entries.
class Reader {
public:
    Reader(const std::string& text, const std::string& name) : text_(text), name_(name) {}

    xbase::Result<std::vector<Section>> read() {
        std::vector<Section> sections;
        while (pos_ < text_.size()) {
            skipBlanks();
            if (atLineEnd()) {
                nextLine();
                continue;
            }
            if (peek() == '[') {
                ZX_TRY_ASSIGN(auto header, readHeader());
                sections.push_back(std::move(header));
                continue;
            }
            const int keyLine = line_;
            ZX_TRY_ASSIGN(auto key, readKey());
            skipBlanks();
            if (peek() != '=') return error(keyLine, "expected \"=\" after \"" + key + "\"");
            ++pos_;
            skipBlanks();
            ZX_TRY_ASSIGN(auto value, readValue());
            skipBlanks();
            if (!atLineEnd())
                return error(line_, "unexpected text after the value of \"" + key + "\"");
            nextLine();
            if (sections.empty())
                sections.push_back(Section{"", false, keyLine, {}});  // the preamble
            sections.back().entries.push_back({key, std::move(value), keyLine});
        }
        return sections;
    }

private:
    char peek(size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\n';
    }
    bool startsWith(const char* s) const {
        return text_.compare(pos_, std::char_traits<char>::length(s), s) == 0;
    }
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    // At the end of a line, or at a comment that runs to it.
    bool atLineEnd() const {
        return pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '#';
    }
    void nextLine() {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        if (pos_ < text_.size()) {
            ++pos_;
            ++line_;
        }
    }
    xbase::Status error(int line, const std::string& message) const {
        return xbase::Status::error(name_ + ":" + std::to_string(line) + ": " + message);
    }

    xbase::Result<Section> readHeader() {
        Section section;
        section.line = line_;
        ++pos_;
        if (peek() == '[') {
            section.repeated = true;
            ++pos_;
        }
        while (pos_ < text_.size() && peek() != ']' && peek() != '\n')
            section.name.push_back(text_[pos_++]);
        section.name = base::ascii::trimmed(section.name, base::ascii::kBlank);
        const char* close = section.repeated ? "]]" : "]";
        if (!startsWith(close))
            return error(line_, std::string("section header lacks its closing \"") + close + "\"");
        pos_ += section.repeated ? 2 : 1;
        skipBlanks();
        if (!atLineEnd()) return error(line_, "unexpected text after the section header");
        nextLine();
        return section;
    }

    xbase::Result<std::string> readKey() {
        std::string key;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (!(base::ascii::isAlnum(c) || c == '_' || c == '-')) break;
            key.push_back(c);
            ++pos_;
        }
        if (key.empty()) return error(line_, "expected a key or a [section]");
        return key;
    }

    xbase::Result<Value> readValue() {
        Value value;
        if (startsWith("'''")) {
            const int start = line_;
            pos_ += 3;
            if (peek() == '\n' && pos_ < text_.size()) {
                ++pos_;
                ++line_;
            }
            const size_t end = text_.find("'''", pos_);
            if (end == std::string::npos)
                return error(start, "text opened with ''' is never closed");
            value.text = text_.substr(pos_, end - pos_);
            value.multiLine = true;
            for (char c : value.text) line_ += c == '\n' ? 1 : 0;
            pos_ = end + 3;
            return value;
        }
        if (peek() == '\'') {
            ++pos_;
            while (pos_ < text_.size() && text_[pos_] != '\'' && text_[pos_] != '\n')
                value.text.push_back(text_[pos_++]);
            if (peek() != '\'') return error(line_, "text opened with ' is not closed on its line");
            ++pos_;
            return value;
        }
        if (peek() == '"') {
            ++pos_;
            return readBasic();
        }
        if (peek() == '[') {
            ++pos_;
            value.kind = Value::Kind::List;
            skipBlanks();
            while (peek() != ']') {
                ZX_TRY_ASSIGN(auto number, readInteger());
                value.list.push_back(number);
                skipBlanks();
                if (peek() == ',') {
                    ++pos_;
                    skipBlanks();
                } else if (peek() != ']') {
                    return error(line_, "expected \",\" or \"]\" in a list of numbers");
                }
            }
            ++pos_;
            return value;
        }
        if (startsWith("true") || startsWith("false")) {
            value.kind = Value::Kind::Boolean;
            value.boolean = startsWith("true");
            pos_ += value.boolean ? 4 : 5;
            return value;
        }
        ZX_TRY_ASSIGN(auto number, readInteger());
        value.kind = Value::Kind::Integer;
        value.integer = number;
        return value;
    }

    xbase::Result<Value> readBasic() {
        Value value;
        while (true) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                return error(line_, "text opened with \" is not closed on its line");
            const char c = text_[pos_++];
            if (c == '"') return value;
            if (c != '\\') {
                value.text.push_back(c);
                continue;
            }
            const char e = peek();
            ++pos_;
            switch (e) {
                case '\\':
                    value.text.push_back('\\');
                    break;
                case '"':
                    value.text.push_back('"');
                    break;
                case 'n':
                    value.text.push_back('\n');
                    break;
                case 'r':
                    value.text.push_back('\r');
                    break;
                case 't':
                    value.text.push_back('\t');
                    break;
                case 'x': {
                    const std::string hex = text_.substr(pos_, 2);
                    if (hex.size() != 2 || !base::ascii::isHexDigit(hex[0]) ||
                        !base::ascii::isHexDigit(hex[1]))
                        return error(line_, "\\x wants two hexadecimal digits");
                    value.text.push_back(static_cast<char>(std::stoi(hex, nullptr, 16)));
                    pos_ += 2;
                    break;
                }
                default:
                    return error(line_, std::string("unknown escape \\") + e +
                                            " (use \\\\ for a backslash)");
            }
        }
    }

    xbase::Result<long long> readInteger() {
        std::string digits;
        if (peek() == '-') digits.push_back(text_[pos_++]);
        while (pos_ < text_.size() && base::ascii::isDigit(text_[pos_]))
            digits.push_back(text_[pos_++]);
        if (digits.empty() || digits == "-")
            return error(line_, "expected a value: \"text\", a number, true/false or [numbers]");
        if (digits.size() > 12) return error(line_, "number " + digits + " is too large");
        return std::stoll(digits);
    }

    const std::string& text_;
    const std::string& name_;
    size_t pos_ = 0;
    int line_ = 1;
};

// Turns sections into an ExamSource, checking keys, kinds and ranges.
class Builder {
public:
    explicit Builder(const std::string& name) : name_(name) {}

    xbase::Result<ExamSource> build(std::vector<Section> sections) {
        ExamSource exam;
        if (!sections.empty() && sections.front().name.empty()) {
            ZX_TRY(applyPreamble(sections));
            sections.erase(sections.begin());
        }
        bool sawCourse = false, sawExam = false;
        for (const Section& section : sections) {
            if (section.name == "course" && !section.repeated) {
                if (sawCourse)
                    return error(section.line,
                                 "a second [course]; one source holds one exam of one course");
                sawCourse = true;
                ZX_TRY(buildCourse(section, exam.course));
            } else if (section.name == "exam" && !section.repeated) {
                if (sawExam)
                    return error(section.line, "a second [exam]; write one source file per exam");
                sawExam = true;
                ZX_TRY(buildExam(section, exam));
            } else if (section.name == "question" && section.repeated) {
                QuestionSource question;
                ZX_TRY(buildQuestion(section, question));
                exam.questions.push_back(std::move(question));
            } else if (section.name == "question") {
                return error(section.line,
                             "questions are written [[question]], with double brackets");
            } else {
                return error(section.line, "unknown section [" + section.name +
                                               "]; expected [course], [exam] or [[question]]");
            }
        }
        if (!sawCourse) return error(1, "the source has no [course] section");
        if (!sawExam) return error(1, "the source has no [exam] section");
        std::map<int, int> idLines;
        int highest = 0;
        for (const QuestionSource& q : exam.questions) {
            if (!q.id) continue;
            if (idLines.count(*q.id))
                return error(q.line, "question id " + std::to_string(*q.id) +
                                         " is used already (line " +
                                         std::to_string(idLines[*q.id]) + ")");
            idLines[*q.id] = q.line;
            highest = std::max(highest, *q.id);
        }
        if (exam.nextId && *exam.nextId <= highest)
            return error(nextIdLine_, "next_id " + std::to_string(*exam.nextId) +
                                          " must be above every question id (" +
                                          std::to_string(highest) + ")");
        return exam;
    }

private:
    using Keys = std::map<std::string, const Entry*>;

    // Keys before the first section: line_breaks = "lf" | "crlf" says what a
    // line break inside ''' text stands for.
    xbase::Status applyPreamble(std::vector<Section>& sections) {
        const Section& preamble = sections.front();
        xbase::Result<Keys> keys = collect(preamble, {"line_breaks"});
        if (!keys)
            return xbase::Status::error(keys.message() +
                                        " (only \"line_breaks\" may stand before [course])");
        std::string breaks = "lf";
        ZX_TRY(text(*keys, "line_breaks", breaks));
        if (breaks != "lf" && breaks != "crlf")
            return error(keys->at("line_breaks")->line, "\"line_breaks\" is \"lf\" or \"crlf\"");
        if (breaks == "lf") return xbase::Status::ok();
        for (Section& section : sections) {
            for (Entry& entry : section.entries) {
                if (!entry.value.multiLine) continue;
                std::string converted;
                for (char c : entry.value.text) {
                    if (c == '\n') converted.push_back('\r');
                    converted.push_back(c);
                }
                entry.value.text = std::move(converted);
            }
        }
        return xbase::Status::ok();
    }

    xbase::Status error(int line, const std::string& message) const {
        return xbase::Status::error(name_ + ":" + std::to_string(line) + ": " + message);
    }

    // Collects the section's keys; `repeatable` keys may stand more than once
    // and are left in the section for the caller.
    xbase::Result<Keys> collect(const Section& section, const std::set<std::string>& allowed,
                                const std::set<std::string>& repeatable = {}) {
        Keys keys;
        for (const Entry& entry : section.entries) {
            if (!allowed.count(entry.key) && !repeatable.count(entry.key)) {
                std::string list;
                for (const std::string& k : allowed) list += (list.empty() ? "" : ", ") + k;
                for (const std::string& k : repeatable) list += ", " + k;
                return error(entry.line, "unknown key \"" + entry.key + "\" in [" + section.name +
                                             "]; known: " + list);
            }
            if (repeatable.count(entry.key)) continue;
            if (keys.count(entry.key))
                return error(entry.line, "\"" + entry.key + "\" is given twice (first on line " +
                                             std::to_string(keys[entry.key]->line) + ")");
            keys[entry.key] = &entry;
        }
        return keys;
    }

    xbase::Status text(const Keys& keys, const std::string& key, std::string& out,
                       bool required = false, int sectionLine = 0) {
        auto it = keys.find(key);
        if (it == keys.end())
            return required ? error(sectionLine, "\"" + key + "\" is missing")
                            : xbase::Status::ok();
        if (it->second->value.kind != Value::Kind::Text)
            return error(it->second->line, "\"" + key + "\" wants text in quotes");
        out = it->second->value.text;
        return xbase::Status::ok();
    }

    xbase::Status integer(const Keys& keys, const std::string& key, long long low, long long high,
                          int& out) {
        auto it = keys.find(key);
        if (it == keys.end()) return xbase::Status::ok();
        if (it->second->value.kind != Value::Kind::Integer)
            return error(it->second->line, "\"" + key + "\" wants a number");
        const long long v = it->second->value.integer;
        if (v < low || v > high)
            return error(it->second->line, "\"" + key + "\" is " + std::to_string(v) +
                                               ", outside " + std::to_string(low) + ".." +
                                               std::to_string(high));
        out = static_cast<int>(v);
        return xbase::Status::ok();
    }

    xbase::Status boolean(const Keys& keys, const std::string& key, bool& out) {
        auto it = keys.find(key);
        if (it == keys.end()) return xbase::Status::ok();
        if (it->second->value.kind != Value::Kind::Boolean)
            return error(it->second->line, "\"" + key + "\" wants true or false");
        out = it->second->value.boolean;
        return xbase::Status::ok();
    }

    xbase::Status identifier(const Keys& keys, const std::string& key, std::string& out,
                             int sectionLine) {
        ZX_TRY(text(keys, key, out, true, sectionLine));
        const int line = keys.at(key)->line;
        if (out.empty() || base::ascii::trimmed(out, base::ascii::kBlank) != out)
            return error(line, "\"" + key + "\" must be non-empty, without blanks at either end");
        if (static_cast<int>(out.size()) > layout::kIdentifierWidth)
            return error(line, "\"" + key + "\" \"" + out + "\" is longer than " +
                                   std::to_string(layout::kIdentifierWidth) + " characters");
        return xbase::Status::ok();
    }

    xbase::Status fileName(const Keys& keys, const std::string& key, std::string& out) {
        ZX_TRY(text(keys, key, out));
        if (out.empty()) return xbase::Status::ok();
        xbase::Result<std::string> checked = BankPath::checkedRelative(out);
        if (!checked) return error(keys.at(key)->line, checked.message());
        return xbase::Status::ok();
    }

    xbase::Status buildCourse(const Section& section, CourseSource& course) {
        ZX_TRY_ASSIGN(auto keys,
                      collect(section, {"id", "title", "description", "time", "mixed_questions"}));
        ZX_TRY(identifier(keys, "id", course.id, section.line));
        ZX_TRY(text(keys, "title", course.title));
        ZX_TRY(text(keys, "description", course.description));
        ZX_TRY(text(keys, "time", course.time));
        if (static_cast<int>(course.time.size()) > layout::kTimeWidth)
            return error(keys.at("time")->line,
                         "\"time\" is longer than 5 characters (write h:mm)");
        return integer(keys, "mixed_questions", 0, 9999, course.mixedQuestions);
    }

    xbase::Status buildExam(const Section& section, ExamSource& exam) {
        ZX_TRY_ASSIGN(auto keys, collect(section, {"id", "folder", "table", "title", "description",
                                                   "picture", "picture_stored", "next_id"}));
        ZX_TRY(identifier(keys, "id", exam.id, section.line));
        ZX_TRY(identifier(keys, "table", exam.table, section.line));
        if (exam.table.find_first_of("/\\:") != std::string::npos)
            return error(keys.at("table")->line, "\"table\" must be a plain file name");
        ZX_TRY(text(keys, "folder", exam.folder));
        if (!exam.folder.empty()) {
            std::string folder = BankPath::asFolder(exam.folder);
            xbase::Result<std::string> checked =
                BankPath::checkedRelative(folder.substr(0, folder.size() - 1));
            if (!checked) return error(keys.at("folder")->line, "\"folder\": " + checked.message());
        }
        ZX_TRY(text(keys, "title", exam.title));
        ZX_TRY(text(keys, "description", exam.description));
        ZX_TRY(fileName(keys, "picture", exam.picture));
        if (keys.count("picture")) exam.pictureLine = keys.at("picture")->line;
        ZX_TRY(boolean(keys, "picture_stored", exam.pictureStored));
        if (keys.count("next_id")) {
            int next = 0;
            ZX_TRY(integer(keys, "next_id", 1, 9999, next));
            exam.nextId = next;
            nextIdLine_ = keys.at("next_id")->line;
        }
        return xbase::Status::ok();
    }

    xbase::Status buildQuestion(const Section& section, QuestionSource& q) {
        q.line = section.line;
        ZX_TRY_ASSIGN(const auto k,
                      collect(section,
                              {"id", "type", "title", "text", "correct", "key", "answer_rows",
                               "hint", "reference", "picture", "simulation", "stored", "case"},
                              {"choice", "step"}));
        std::string typeName;
        ZX_TRY(text(k, "type", typeName, true, section.line));
        if (typeName == "true-false")
            q.type = questionbank::kTrueFalse;
        else if (typeName == "single-choice")
            q.type = questionbank::kSingleChoice;
        else if (typeName == "simulation")
            q.type = questionbank::kSimulation;
        else if (typeName == "multiple-choice")
            q.type = questionbank::kMultipleChoice;
        else
            return error(
                k.at("type")->line,
                "type \"" + typeName +
                    "\" is not one of true-false, single-choice, multiple-choice, simulation");
        if (k.count("id")) {
            int id = 0;
            ZX_TRY(integer(k, "id", 1, 9998, id));
            q.id = id;
        }
        ZX_TRY(text(k, "title", q.title));
        ZX_TRY(text(k, "text", q.text));
        if (base::ascii::trimmed(q.title, base::ascii::kBlank).empty() &&
            base::ascii::trimmed(q.text, base::ascii::kBlank).empty())
            return error(section.line, "the question has neither a title nor a text");
        ZX_TRY(text(k, "hint", q.hint));
        ZX_TRY(text(k, "reference", q.reference));
        ZX_TRY(fileName(k, "picture", q.file));
        if (k.count("simulation")) {
            if (k.count("picture"))
                return error(k.at("simulation")->line, "give either \"picture\" or \"simulation\"");
            ZX_TRY(fileName(k, "simulation", q.file));
        }
        for (const char* key : {"picture", "simulation"}) {
            if (k.count(key)) q.fileLine = k.at(key)->line;
        }
        ZX_TRY(boolean(k, "stored", q.fileStored));
        ZX_TRY(integer(k, "case", 0, 999999999, q.caseId));

        const char* rowKey = q.type == questionbank::kSimulation ? "step" : "choice";
        for (const Entry& entry : section.entries) {
            if (entry.key != "choice" && entry.key != "step") continue;
            if (q.type == questionbank::kTrueFalse)
                return error(entry.line,
                             "a true-false question has no \"" + entry.key + "\" lines");
            if (entry.key != rowKey)
                return error(entry.line, std::string("a ") + typeName +
                                             " question lists its rows as \"" + rowKey + "\"");
            if (entry.value.kind != Value::Kind::Text)
                return error(entry.line, "\"" + entry.key + "\" wants text in quotes");
            q.rows.push_back(entry.value.text);
        }
        const int maxRows = q.type == questionbank::kMultipleChoice ? AnswerKey::kMaxChoices : 99;
        if (static_cast<int>(q.rows.size()) > maxRows)
            return error(section.line, "the question has " + std::to_string(q.rows.size()) +
                                           " rows; at most " + std::to_string(maxRows));
        q.answerRows = q.type == questionbank::kTrueFalse ? 2 : static_cast<int>(q.rows.size());
        ZX_TRY(integer(k, "answer_rows", 0, 99, q.answerRows));
        return buildKey(k, q, section.line);
    }

    xbase::Status buildKey(const Keys& k, QuestionSource& q, int sectionLine) {
        if (k.count("key")) {
            if (k.count("correct"))
                return error(k.at("key")->line, "give either \"correct\" or \"key\"");
            ZX_TRY(text(k, "key", q.key));
            if (static_cast<int>(q.key.size()) > layout::kAnswerKeyWidth)
                return error(k.at("key")->line, "\"key\" is longer than 5 characters");
            return xbase::Status::ok();
        }
        auto it = k.find("correct");
        if (q.type == questionbank::kSimulation) {
            if (it != k.end())
                return error(it->second->line,
                             "a simulation question has no \"correct\": the simulation decides");
            return xbase::Status::ok();
        }
        if (it == k.end()) return error(sectionLine, "\"correct\" is missing");
        const Value& v = it->second->value;
        const int line = it->second->line;
        const long long rows = static_cast<long long>(q.rows.size());
        switch (q.type) {
            case questionbank::kTrueFalse:
                if (v.kind != Value::Kind::Boolean)
                    return error(line, "\"correct\" of a true-false question is true or false");
                q.key = AnswerKey::encodeTrueFalse(v.boolean);
                return xbase::Status::ok();
            case questionbank::kSingleChoice:
                if (v.kind != Value::Kind::Integer)
                    return error(line,
                                 "\"correct\" of a single-choice question is a choice number");
                if (v.integer < 1 || v.integer > rows)
                    return error(line, "\"correct\" is " + std::to_string(v.integer) +
                                           " but the question has " + std::to_string(rows) +
                                           " choices");
                q.key = AnswerKey::encodeSingle(static_cast<int>(v.integer));
                return xbase::Status::ok();
            default: {
                if (v.kind != Value::Kind::List)
                    return error(line,
                                 "\"correct\" of a multiple-choice question is a list: [1, 3]");
                std::vector<int> choices;
                for (long long c : v.list) {
                    if (c < 1 || c > rows)
                        return error(line, "choice " + std::to_string(c) +
                                               " in \"correct\" is not one of the " +
                                               std::to_string(rows) + " choices");
                    choices.push_back(static_cast<int>(c));
                }
                xbase::Result<std::string> key = AnswerKey::encodeMultiple(choices);
                if (!key) return error(line, key.message());
                q.key = key.value();
                return xbase::Status::ok();
            }
        }
    }

    const std::string& name_;
    int nextIdLine_ = 0;
};

}  // namespace

xbase::Result<ExamSource> ExamSourceParser::parse(const std::string& text,
                                                  const std::string& name) {
    // Line breaks of either kind read as "\n".
    std::string normalized;
    normalized.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        normalized.push_back(text[i]);
    }
    Reader reader(normalized, name);
    ZX_TRY_ASSIGN(auto sections, reader.read());
    return Builder(name).build(sections);
}

xbase::Result<ExamSource> ExamSourceParser::parseFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return xbase::Status::error(path + ": cannot be read");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return parse(buffer.str(), path);
}

const char* ExamSourceParser::typeName(int type) {
    switch (type) {
        case questionbank::kTrueFalse:
            return "true-false";
        case questionbank::kSingleChoice:
            return "single-choice";
        case questionbank::kSimulation:
            return "simulation";
        case questionbank::kMultipleChoice:
            return "multiple-choice";
        default:
            return "unknown";
    }
}

}  // namespace zentrix::banktool
