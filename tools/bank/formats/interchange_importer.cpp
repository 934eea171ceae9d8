#include "tools/bank/formats/interchange_importer.h"

#include <filesystem>
#include <map>

#include "base/ascii_text.h"
#include "platform/text_file.h"
#include "questionbank/answer_key.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/bank_records.h"
#include "tools/bank/formats/aiken_reader.h"
#include "tools/bank/formats/csv_reader.h"
#include "tools/bank/formats/gift_reader.h"
#include "tools/bank/formats/moodle_xml_reader.h"
#include "tools/bank/formats/qti_reader.h"
#include "tools/bank/formats/text_encoding.h"

namespace fs = std::filesystem;

namespace zentrix::banktool {

using questionbank::AnswerKey;
using questionbank::BankPath;
namespace layout = questionbank::layout;
using Kind = InterchangeQuestion::Kind;

namespace {

// The bytes of a file that must be there.
xbase::Result<std::string> readFile(const std::string& path) {
    ZX_TRY_ASSIGN(auto bytes, platform::readWholeFile(path));
    if (!bytes) return xbase::Status::error(path + ": cannot be read: no such file");
    return std::move(*bytes);
}

// Windows-1252 for the bank; the characters it lacks are gathered.
class CodePageText {
public:
    std::string operator()(const std::string& utf8) {
        return TextEncoding::toWindows1252(utf8, &unmapped_);
    }
    std::string report() const {
        if (unmapped_.empty()) return {};
        std::string list;
        for (char32_t cp : unmapped_)
            list += (list.empty() ? "" : ", ") + TextEncoding::codePointName(cp);
        return "characters Windows-1252 lacks became \"?\": " + list;
    }

private:
    std::vector<char32_t> unmapped_;
};

// A picture name safe as a file in the exam's folder.
std::string safePictureName(const std::string& name) {
    std::vector<std::string> parts;
    std::string part;
    auto endPart = [&] {
        if (part == "..")
            parts.clear();
        else if (!part.empty() && part != ".")
            parts.push_back(part);
        part.clear();
    };
    for (char c : name) {
        if (c == '/' || c == '\\') {
            endPart();
        } else {
            const bool plain = base::ascii::isAlnum(c) || c == '.' || c == '-' || c == '_';
            part.push_back(plain ? c : '_');
        }
    }
    endPart();
    std::string joined;
    for (const std::string& p : parts) joined += (joined.empty() ? "" : "/") + p;
    if (joined.empty() || !BankPath::checkedRelative(joined)) return "picture";
    return joined;
}

// Pictures of one exam: one name stands for one content.
class PictureNames {
public:
    std::string add(const std::string& wanted, const std::string& bytes) {
        std::string name = safePictureName(wanted);
        const size_t slash = name.rfind('/');
        const size_t dot = name.rfind('.');
        const size_t cut =
            dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)
                ? dot
                : name.size();
        for (int n = 2;; ++n) {
            auto it = files_.find(name);
            if (it == files_.end()) {
                files_[name] = bytes;
                return name;
            }
            if (it->second == bytes) return name;
            name = safePictureName(wanted).substr(0, cut) + "-" + std::to_string(n) +
                   safePictureName(wanted).substr(cut);
        }
    }
    std::map<std::string, std::string> take() { return std::move(files_); }

private:
    std::map<std::string, std::string> files_;
};

std::string keyOf(const InterchangeQuestion& q) {
    switch (q.kind) {
        case Kind::TrueFalse:
            return AnswerKey::encodeTrueFalse(q.right.front() == 1);
        case Kind::SingleChoice:
            return AnswerKey::encodeSingle(q.right.front());
        default: {
            xbase::Result<std::string> key = AnswerKey::encodeMultiple(q.right);
            return key ? key.value() : std::string();
        }
    }
}

int typeOf(Kind kind) {
    switch (kind) {
        case Kind::TrueFalse:
            return questionbank::kTrueFalse;
        case Kind::SingleChoice:
            return questionbank::kSingleChoice;
        case Kind::Steps:
            return questionbank::kSimulation;
        default:
            return questionbank::kMultipleChoice;
    }
}

xbase::Status checkIdentifier(const std::string& option, const std::string& id) {
    if (id.empty() || base::ascii::trimmed(id, base::ascii::kBlank) != id)
        return xbase::Status::error(option + " \"" + id +
                                    "\" must be non-empty, without blanks at either end");
    if (static_cast<int>(id.size()) > layout::kIdentifierWidth)
        return xbase::Status::error(option + " \"" + id + "\" is longer than " +
                                    std::to_string(layout::kIdentifierWidth) + " characters");
    if (option == "--exam" && id.find_first_of("/\\:*?\"<>|") != std::string::npos)
        return xbase::Status::error(option + " \"" + id +
                                    "\" names the exam's tables too: use letters, digits, - and _");
    return xbase::Status::ok();
}

std::string uniqueId(std::string id, std::set<std::string>& used) {
    const std::string base = id;
    for (int n = 2; used.count(id); ++n) {
        const std::string suffix = std::to_string(n);
        id = base.substr(0, static_cast<size_t>(layout::kIdentifierWidth) - suffix.size()) + suffix;
    }
    used.insert(id);
    return id;
}

// Reads the files a document names beside its source.
xbase::Status loadPictures(InterchangeDocument& document, const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    for (InterchangeCategory& category : document.categories) {
        for (InterchangeQuestion& q : category.questions) {
            if (!q.picture || q.picture->bytes) continue;
            const std::string& name = q.picture->name;
            xbase::Result<std::string> checked = BankPath::checkedRelative(name);
            if (!checked) return xbase::Status::error(q.where + ": picture: " + checked.message());
            const std::optional<std::string> file =
                BankPath::findFile(folder.empty() ? "." : folder, checked.value());
            if (!file)
                return xbase::Status::error(q.where + ": picture \"" + name +
                                            "\" is not beside the file");
            ZX_TRY_ASSIGN(auto bytes, readFile(*file));
            q.picture->bytes = std::move(bytes);
        }
    }
    return xbase::Status::ok();
}

QuestionSource toSource(const InterchangeQuestion& q, PictureNames& pictures,
                        std::vector<std::string>& notes) {
    CodePageText cp;
    QuestionSource s;
    s.origin = q.where;
    s.type = typeOf(q.kind);
    s.title = cp(q.title);
    s.text = cp(q.text);
    for (const std::string& choice : q.choices) s.rows.push_back(cp(choice));
    s.answerRows = q.kind == Kind::TrueFalse ? 2 : static_cast<int>(s.rows.size());
    s.key = keyOf(q);
    s.hint = cp(q.hint);
    s.reference = cp(q.reference);
    if (q.picture && q.picture->bytes) {
        if (q.picture->bytes->empty()) {
            notes.push_back(q.where + ": picture \"" + q.picture->name +
                            "\" is an empty file; left out");
        } else {
            s.file = pictures.add(q.picture->name, *q.picture->bytes);
        }
    }
    if (const std::string report = cp.report(); !report.empty())
        notes.push_back(q.where + ": " + report);
    return s;
}

}  // namespace

std::string InterchangeImporter::identifierFrom(std::string_view name) {
    // Latin-1 letters by their base letter, so "Física" gives "FISICA".
    static constexpr char kFold[] =
        "AAAAAAACEEEEIIIIDNOOOOO OUUUUYTSaaaaaaaceeeeiiiidnooooo ouuuuyty";
    std::string id;
    size_t pos = 0;
    while (pos < name.size() && static_cast<int>(id.size()) < layout::kIdentifierWidth) {
        char32_t cp = TextEncoding::next(name, pos);
        if (cp >= 0xC0 && cp <= 0xFF) cp = static_cast<unsigned char>(kFold[cp - 0xC0]);
        if (cp < 0x80 && (base::ascii::isAlnum(static_cast<char>(cp)) || cp == '_' || cp == '-'))
            id.push_back(base::ascii::toUpper(static_cast<char>(cp)));
    }
    while (!id.empty() && (id.front() == '-' || id.front() == '_')) id.erase(0, 1);
    return id.empty() ? "EXAM" : id;
}

std::string InterchangeImporter::categoryTitle(std::string_view category) {
    // Parts are separated by "/"; "//" is a slash inside a name.
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < category.size(); ++i) {
        if (category[i] == '/' && i + 1 < category.size() && category[i + 1] == '/') {
            parts.back().push_back('/');
            ++i;
        } else if (category[i] == '/') {
            parts.emplace_back();
        } else {
            parts.back().push_back(category[i]);
        }
    }
    std::vector<std::string> named;
    for (const std::string& part : parts) {
        const std::string p = base::ascii::trimmed(part, base::ascii::kBlank);
        if (p.empty() || (p.size() > 1 && p.front() == '$' && p.back() == '$')) continue;
        if (named.empty() && p == "top") continue;
        named.push_back(p);
    }
    return named.empty() ? std::string() : named.back();
}

xbase::Result<InterchangeDocument> InterchangeImporter::readDocument(const std::string& path,
                                                                     InterchangeFormat format) {
    ZX_TRY_ASSIGN(auto content, readFile(path));
    switch (format) {
        case InterchangeFormat::Gift:
            return GiftReader::read(TextEncoding::sourceToUtf8(content), path);
        case InterchangeFormat::Aiken:
            return AikenReader::read(TextEncoding::sourceToUtf8(content), path);
        case InterchangeFormat::Csv:
            return CsvReader::read(TextEncoding::sourceToUtf8(content), path);
        case InterchangeFormat::MoodleXml:
            return MoodleXmlReader::read(content, path);
        case InterchangeFormat::Qti: {
            if (content.substr(0, 2) == "PK")
                return QtiReader::readPackage(std::move(content), path);
            if (InterchangeFormats::rootElement(content) == "manifest")
                return QtiReader::readManifest(path);
            return QtiReader::readItem(content, path);
        }
        case InterchangeFormat::ExamSource:
            break;
    }
    return xbase::Status::error(path + ": exam sources are read by the exam source importer");
}

xbase::Result<InterchangeImporter::Report> InterchangeImporter::read(
    const std::string& path, InterchangeFormat format, const Options& options,
    std::set<std::string>& usedIds) {
    ZX_TRY_ASSIGN(auto document, readDocument(path, format));
    ZX_TRY(loadPictures(document, path));

    Report report;
    for (const InterchangeNote& n : document.skipped) report.skipped.push_back(n.line());
    for (const InterchangeNote& n : document.notes) report.notes.push_back(n.line());
    report.taken = document.questionCount();
    if (report.taken == 0 && report.skipped.empty())
        return xbase::Status::error(path + ": the file holds no questions");

    const std::string stem = fs::path(path).stem().string();
    const std::string course = options.course.empty() ? identifierFrom(stem) : options.course;
    ZX_TRY(checkIdentifier("--course", course));
    std::vector<const InterchangeCategory*> categories;
    for (const InterchangeCategory& c : document.categories) {
        if (!c.questions.empty()) categories.push_back(&c);
    }
    if (categories.size() > 1 && !options.exam.empty())
        return xbase::Status::error(
            path + ": the file holds " + std::to_string(categories.size()) +
            " categories, each an exam of its own; leave out --exam to name them after "
            "their categories");
    if (!options.exam.empty()) ZX_TRY(checkIdentifier("--exam", options.exam));

    for (const InterchangeCategory* category : categories) {
        ExamWithFiles out;
        out.source = path;
        ExamSource& exam = out.exam;
        const std::string title = categoryTitle(category->name);
        std::string id;
        if (categories.size() == 1) {
            id = options.exam.empty() ? identifierFrom(stem) : options.exam;
            usedIds.insert(id);
        } else {
            id = uniqueId(identifierFrom(title.empty() ? stem : title), usedIds);
        }
        CodePageText cp;
        exam.course.id = course;
        exam.course.title = course;
        exam.id = id;
        exam.table = id;
        exam.folder = base::ascii::lower(id) + "/";
        exam.title = cp(title.empty() ? stem : title);
        if (const std::string changed = cp.report(); !changed.empty())
            report.notes.push_back(path + ": exam " + id + ": " + changed);
        PictureNames pictures;
        for (const InterchangeQuestion& q : category->questions)
            exam.questions.push_back(toSource(q, pictures, report.notes));
        out.files = pictures.take();
        report.exams.push_back(std::move(out));
    }
    return report;
}

}  // namespace zentrix::banktool
