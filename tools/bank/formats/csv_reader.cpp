#include "tools/bank/formats/csv_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

#include "base/ascii_text.h"

namespace zentrix::banktool {

namespace {

using Kind = InterchangeQuestion::Kind;

// Line breaks of every kind as "\n".
std::string normalizeBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

constexpr const char* kColumns =
    "type, title, question, choice1..choiceN, correct, hint, reference, picture";

// Kinds a bank cannot hold, as spreadsheets name them.
constexpr std::array<const char*, 16> kOtherKinds = {
    "essay",         "short-answer", "shortanswer", "matching", "numerical",   "numeric",
    "drag-and-drop", "ordering",     "order",       "cloze",    "description", "fill-in-the-blank",
    "gap-fill",      "simulation",   "calculated",  "hotspot"};

struct Columns {
    std::optional<size_t> type, title, question, correct, hint, reference, picture;
    std::vector<std::pair<int, size_t>> choices;  // choice number, column
    size_t count = 0;
};

class Reader {
public:
    explicit Reader(const std::string& name) : name_(name) {}

    xbase::Result<InterchangeDocument> read(std::string_view input) {
        const std::string text = normalizeBreaks(input);
        ZX_TRY_ASSIGN(auto records, CsvReader::records(text, CsvReader::separatorOf(text), name_));
        bool header = false;
        for (const CsvReader::Record& record : records) {
            const bool blank =
                std::all_of(record.fields.begin(), record.fields.end(),
                            [](const std::string& f) { return base::ascii::trimmed(f).empty(); });
            if (blank) continue;
            if (!header) {
                ZX_TRY(readHeader(record));
                header = true;
                continue;
            }
            ZX_TRY(readRow(record));
        }
        if (!header)
            return xbase::Status::error(name_ + ": the file has no header row (" + kColumns + ")");
        return std::move(document_);
    }

private:
    xbase::Status error(int line, const std::string& message) const {
        return xbase::Status::error(name_ + ":" + std::to_string(line) + ": " + message);
    }

    xbase::Status readHeader(const CsvReader::Record& record) {
        std::map<std::string, size_t> seen;
        columns_.count = record.fields.size();
        for (size_t i = 0; i < record.fields.size(); ++i) {
            const std::string name = base::ascii::lower(base::ascii::trimmed(record.fields[i]));
            if (name.empty()) continue;  // an unnamed column is read as nothing
            if (seen.count(name))
                return error(record.line, "column \"" + name + "\" is named twice");
            seen[name] = i;
            std::optional<size_t>* slot = nullptr;
            if (name == "type") slot = &columns_.type;
            if (name == "title") slot = &columns_.title;
            if (name == "question" || name == "text") slot = &columns_.question;
            if (name == "correct") slot = &columns_.correct;
            if (name == "hint") slot = &columns_.hint;
            if (name == "reference") slot = &columns_.reference;
            if (name == "picture") slot = &columns_.picture;
            if (slot) {
                if (slot->has_value())
                    return error(record.line, "column \"" + name + "\" is named twice");
                *slot = i;
                continue;
            }
            std::string digits =
                name.rfind("choice", 0) == 0 ? base::ascii::trimmed(name.substr(6)) : std::string();
            if (!digits.empty() && digits.size() <= 3 &&
                std::all_of(digits.begin(), digits.end(),
                            [](char c) { return base::ascii::isDigit(c); }) &&
                std::stoi(digits) > 0) {
                const int number = std::stoi(digits);
                for (const auto& c : columns_.choices) {
                    if (c.first == number)
                        return error(record.line, "column \"choice" + digits + "\" is named twice");
                }
                columns_.choices.push_back({number, i});
                continue;
            }
            return error(record.line, "unknown column \"" + base::ascii::trimmed(record.fields[i]) +
                                          "\"; the columns are " + kColumns);
        }
        std::sort(columns_.choices.begin(), columns_.choices.end());
        if (!columns_.question && !columns_.title)
            return error(record.line,
                         "the header names neither a \"question\" nor a \"title\" column");
        if (!columns_.correct) return error(record.line, "the header has no \"correct\" column");
        return xbase::Status::ok();
    }

    static std::string field(const CsvReader::Record& record, const std::optional<size_t>& column) {
        return column && *column < record.fields.size()
                   ? base::ascii::trimmed(record.fields[*column])
                   : std::string();
    }

    xbase::Status readRow(const CsvReader::Record& record) {
        const size_t count = record.fields.size();
        if (count < columns_.count)
            return error(record.line, "the row has " + std::to_string(count) +
                                          " fields but the header names " +
                                          std::to_string(columns_.count) + " columns");
        for (size_t i = columns_.count; i < count; ++i) {
            if (!base::ascii::trimmed(record.fields[i]).empty())
                return error(record.line, "the row has " + std::to_string(count) +
                                              " fields but the header names " +
                                              std::to_string(columns_.count) +
                                              " columns (quote a field that holds the separator)");
        }
        InterchangeQuestion q;
        q.where = name_ + ":" + std::to_string(record.line);
        q.title = field(record, columns_.title);
        q.text = field(record, columns_.question);
        q.hint = field(record, columns_.hint);
        q.reference = field(record, columns_.reference);
        if (q.title.empty() && q.text.empty())
            return error(record.line, "the row has neither a question nor a title");
        if (q.title.empty()) q.title = titleFromText(q.text);
        const std::string picture = field(record, columns_.picture);
        if (!picture.empty()) q.picture = InterchangePicture{picture, std::nullopt};

        size_t lastChoice = 0;
        for (const auto& [number, column] : columns_.choices) {
            const std::string choice = field(record, column);
            q.choices.push_back(choice);
            if (!choice.empty()) lastChoice = q.choices.size();
        }
        q.choices.resize(lastChoice);
        for (size_t i = 0; i < q.choices.size(); ++i) {
            if (q.choices[i].empty())
                return error(record.line, "choice " + std::to_string(i + 1) +
                                              " is empty but a later choice is not");
        }

        const std::string type = base::ascii::lower(field(record, columns_.type));
        std::string kindName = type;
        std::replace(kindName.begin(), kindName.end(), ' ', '-');
        std::replace(kindName.begin(), kindName.end(), '_', '-');
        if (std::find(kOtherKinds.begin(), kOtherKinds.end(), kindName) != kOtherKinds.end()) {
            document_.skip(q.where, q.title, q.text, "a question of type \"" + type + "\"");
            return xbase::Status::ok();
        }
        std::optional<Kind> kind;
        if (kindName == "true-false" || kindName == "truefalse" || kindName == "tf" ||
            kindName == "true/false")
            kind = Kind::TrueFalse;
        else if (kindName == "single-choice" || kindName == "single" ||
                 kindName == "singlechoice" || kindName == "sc")
            kind = Kind::SingleChoice;
        else if (kindName == "multiple-choice" || kindName == "multiple" ||
                 kindName == "multiplechoice" || kindName == "mc")
            kind = Kind::MultipleChoice;
        else if (!kindName.empty())
            return error(record.line, "unknown type \"" + type +
                                          "\"; write true-false, single-choice or multiple-choice");
        return readCorrect(record, kind, q);
    }

    xbase::Status readCorrect(const CsvReader::Record& record, std::optional<Kind> kind,
                              InterchangeQuestion& q) {
        const std::string correct = field(record, columns_.correct);
        const std::string word = base::ascii::lower(correct);
        const bool trueWord = word == "true" || word == "t";
        const bool falseWord = word == "false" || word == "f";
        if (!kind && (trueWord || falseWord) && q.choices.empty()) kind = Kind::TrueFalse;
        if (kind == Kind::TrueFalse) {
            if (!q.choices.empty()) return error(record.line, "a true-false row has no choices");
            if (!trueWord && !falseWord)
                return error(record.line, "\"correct\" of a true-false row is true or false");
            q.kind = Kind::TrueFalse;
            q.right = {trueWord ? 1 : 2};
            document_.accept("", std::move(q));
            return xbase::Status::ok();
        }
        if (correct.empty())
            return error(record.line, "\"correct\" is empty: name the right choice");
        std::vector<int> right;
        size_t pos = 0;
        while (pos < correct.size()) {
            const size_t end = correct.find_first_of(",; \t", pos);
            const std::string token =
                correct.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            pos = end == std::string::npos ? correct.size() : end + 1;
            if (token.empty()) continue;
            int choice = 0;
            if (token.size() == 1 && base::ascii::isAlpha(token[0])) {
                choice = base::ascii::toUpper(token[0]) - 'A' + 1;
            } else if (token.size() <= 3 && std::all_of(token.begin(), token.end(), [](char c) {
                           return base::ascii::isDigit(c);
                       })) {
                choice = std::stoi(token);
            } else {
                return error(record.line, "\"correct\" holds \"" + token +
                                              "\"; write choice numbers or letters");
            }
            if (choice < 1 || choice > static_cast<int>(q.choices.size()))
                return error(record.line, "\"correct\" names choice " + token +
                                              " but the row has " +
                                              std::to_string(q.choices.size()) + " choices");
            right.push_back(choice);
        }
        if (!kind) kind = right.size() == 1 ? Kind::SingleChoice : Kind::MultipleChoice;
        if (kind == Kind::SingleChoice && right.size() != 1)
            return error(
                record.line,
                "a single-choice row names one right choice (write multiple-choice for several)");
        q.kind = *kind;
        q.right = std::move(right);
        document_.accept("", std::move(q));
        return xbase::Status::ok();
    }

    const std::string& name_;
    Columns columns_;
    InterchangeDocument document_;
};

}  // namespace

char CsvReader::separatorOf(std::string_view text) {
    size_t comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        comma += c == ',';
        semicolon += c == ';';
        tab += c == '\t';
    }
    if (semicolon > comma && semicolon >= tab) return ';';
    if (tab > comma && tab > semicolon) return '\t';
    return ',';
}

xbase::Result<std::vector<CsvReader::Record>> CsvReader::records(std::string_view text,
                                                                 char separator,
                                                                 const std::string& name) {
    std::vector<Record> records;
    size_t pos = 0;
    int line = 1;
    while (pos < text.size()) {
        Record record;
        record.line = line;
        while (true) {
            std::string field;
            if (pos < text.size() && text[pos] == '"') {
                const int start = line;
                ++pos;
                while (true) {
                    if (pos >= text.size())
                        return xbase::Status::error(
                            name + ":" + std::to_string(start) +
                            ": a field opened with a quote is never closed");
                    const char c = text[pos++];
                    if (c == '"') {
                        if (pos < text.size() && text[pos] == '"') {
                            field.push_back('"');
                            ++pos;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n') ++line;
                    field.push_back(c);
                }
            }
            // Unquoted text, or what follows a closing quote, up to the separator.
            while (pos < text.size() && text[pos] != separator && text[pos] != '\n') {
                if (text[pos] != '\r') field.push_back(text[pos]);
                ++pos;
            }
            record.fields.push_back(std::move(field));
            if (pos < text.size() && text[pos] == separator) {
                ++pos;
                continue;
            }
            if (pos < text.size()) {
                ++pos;  // the line break
                ++line;
            }
            break;
        }
        records.push_back(std::move(record));
    }
    return records;
}

xbase::Result<InterchangeDocument> CsvReader::read(std::string_view text, const std::string& name) {
    return Reader(name).read(text);
}

}  // namespace zentrix::banktool
