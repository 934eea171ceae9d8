#include "tools/bank/exam_source_writer.h"

#include <algorithm>
#include <sstream>

#include "base/ascii_text.h"
#include "questionbank/answer_key.h"
#include "questionbank/bank_records.h"
#include "tools/bank/exam_source_parser.h"

namespace zentrix::banktool {

using questionbank::AnswerKey;

namespace {

bool hasControl(const std::string& text, bool allowLineBreaks) {
    return std::any_of(text.begin(), text.end(), [&](char c) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t' || (allowLineBreaks && c == '\n')) return false;
        return u < 0x20 || u == 0x7F;
    });
}

// The key as a "correct" value when it is the plain form of what it means;
// otherwise the stored key is written as it is.
std::string correctValue(const QuestionSource& q) {
    xbase::Result<AnswerKey> key =
        AnswerKey::decode(q.type, q.key, static_cast<int>(q.rows.size()));
    if (!key) return {};
    const std::vector<int> right = key.value().rightChoices();
    switch (q.type) {
        case questionbank::kTrueFalse:
            if (q.key == "TRUE") return "true";
            if (q.key == "FALSE") return "false";
            return {};
        case questionbank::kSingleChoice:
            if (right.size() == 1 && AnswerKey::encodeSingle(right[0]) == q.key)
                return std::to_string(right[0]);
            return {};
        case questionbank::kMultipleChoice: {
            xbase::Result<std::string> encoded = AnswerKey::encodeMultiple(right);
            if (!encoded || encoded.value() != q.key) return {};
            std::string list = "[";
            for (size_t i = 0; i < right.size(); ++i)
                list += (i ? ", " : "") + std::to_string(right[i]);
            return list + "]";
        }
        default:
            return {};
    }
}

// Every "\r" starts a "\r\n" and every "\n" ends one.
bool onlyCrlfBreaks(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

// Texts from Windows keep "\r\n" line breaks; when an exam has them its
// source says so once and writes them as plain line breaks.
bool usesCrlf(const ExamSource& exam) {
    auto has = [](const std::string& text) { return text.find("\r\n") != std::string::npos; };
    if (has(exam.course.title) || has(exam.course.description) || has(exam.title) ||
        has(exam.description))
        return true;
    for (const QuestionSource& q : exam.questions) {
        if (has(q.title) || has(q.text) || has(q.hint) || has(q.reference)) return true;
        for (const std::string& row : q.rows) {
            if (has(row)) return true;
        }
    }
    return false;
}

}  // namespace

std::string ExamSourceWriter::quote(const std::string& text, bool crlf) {
    if (text.find('\n') != std::string::npos) {
        std::string plain = text;
        if (crlf) {
            if (!onlyCrlfBreaks(text)) return base::ascii::quotedWithEscapes(text);
            plain.erase(std::remove(plain.begin(), plain.end(), '\r'), plain.end());
        }
        const bool literalFits = !hasControl(plain, true) &&
                                 plain.find("'''") == std::string::npos && plain.back() != '\'';
        return literalFits ? "'''\n" + plain + "'''" : base::ascii::quotedWithEscapes(text);
    }
    if (!hasControl(text, false) &&
        (text.find('\\') != std::string::npos || text.find('"') != std::string::npos) &&
        text.find('\'') == std::string::npos)
        return "'" + text + "'";
    return base::ascii::quotedWithEscapes(text);
}

std::string ExamSourceWriter::write(const ExamSource& exam) {
    std::ostringstream out;
    const bool crlf = usesCrlf(exam);
    auto line = [&](std::ostringstream& to, const char* key, const std::string& value) {
        to << key << " = " << quote(value, crlf) << "\n";
    };
    out << "# Zentrix exam source: one exam of one course.\n\n";
    if (crlf) out << "line_breaks = \"crlf\"\n\n";
    out << "[course]\n";
    line(out, "id", exam.course.id);
    line(out, "title", exam.course.title);
    if (!exam.course.description.empty()) line(out, "description", exam.course.description);
    if (!exam.course.time.empty()) line(out, "time", exam.course.time);
    if (exam.course.mixedQuestions != 0)
        out << "mixed_questions = " << exam.course.mixedQuestions << "\n";

    out << "\n[exam]\n";
    line(out, "id", exam.id);
    if (!exam.folder.empty()) line(out, "folder", exam.folder);
    line(out, "table", exam.table);
    line(out, "title", exam.title);
    if (!exam.description.empty()) line(out, "description", exam.description);
    if (!exam.picture.empty()) line(out, "picture", exam.picture);
    if (!exam.pictureStored) out << "picture_stored = false\n";
    if (exam.nextId) out << "next_id = " << *exam.nextId << "\n";

    for (const QuestionSource& q : exam.questions) {
        out << "\n[[question]]\n";
        if (q.id) out << "id = " << *q.id << "\n";
        out << "type = \"" << ExamSourceParser::typeName(q.type) << "\"\n";
        line(out, "title", q.title);
        line(out, "text", q.text);
        if (!q.file.empty())
            line(out, q.type == questionbank::kSimulation ? "simulation" : "picture", q.file);
        if (!q.fileStored) out << "stored = false\n";
        const char* rowKey = q.type == questionbank::kSimulation ? "step" : "choice";
        for (const std::string& row : q.rows) line(out, rowKey, row);
        const int defaultRows =
            q.type == questionbank::kTrueFalse ? 2 : static_cast<int>(q.rows.size());
        if (q.answerRows != defaultRows) out << "answer_rows = " << q.answerRows << "\n";
        const std::string correct = correctValue(q);
        if (!correct.empty()) {
            out << "correct = " << correct << "\n";
        } else if (q.type != questionbank::kSimulation || !q.key.empty()) {
            line(out, "key", q.key);
        }
        if (!q.hint.empty()) line(out, "hint", q.hint);
        if (!q.reference.empty()) line(out, "reference", q.reference);
        if (q.caseId != 0) out << "case = " << q.caseId << "\n";
    }
    return out.str();
}

}  // namespace zentrix::banktool
