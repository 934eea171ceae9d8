#include "tools/bank/formats/interchange_exporter.h"

#include "questionbank/answer_key.h"
#include "questionbank/bank_records.h"
#include "tools/bank/formats/gift_writer.h"
#include "tools/bank/formats/moodle_xml_writer.h"
#include "tools/bank/formats/qti_package_writer.h"
#include "tools/bank/formats/text_encoding.h"

namespace zentrix::banktool {

using questionbank::AnswerKey;
using Kind = InterchangeQuestion::Kind;

namespace {

std::string utf8(const std::string& text) { return TextEncoding::fromWindows1252(text); }

}  // namespace

ExportedExam InterchangeExporter::exported(const ExamWithFiles& source, const Options& options,
                                           Report& report) {
    ExportedExam exam;
    exam.id = source.exam.id;
    exam.title = utf8(source.exam.title);
    for (size_t n = 0; n < source.exam.questions.size(); ++n) {
        const QuestionSource& s = source.exam.questions[n];
        InterchangeQuestion q;
        q.where = "exam " + exam.id + ", question " + std::to_string(n + 1);
        q.title = utf8(s.title);
        q.text = utf8(s.text);
        q.hint = utf8(s.hint);
        q.reference = utf8(s.reference);
        for (const std::string& row : s.rows) q.choices.push_back(utf8(row));
        auto skip = [&](const std::string& reason) {
            report.skipped.push_back(q.where + ": skipped \"" + questionLabel(q.title, q.text) +
                                     "\": " + reason);
        };
        if (s.type == questionbank::kSimulation) {
            if (!options.includeSimulations) {
                skip("a simulation (--include-simulations writes its steps as text)");
                continue;
            }
            q.kind = Kind::Steps;
            exam.questions.push_back(std::move(q));
            continue;
        }
        xbase::Result<AnswerKey> key =
            AnswerKey::decode(s.type, s.key, static_cast<int>(s.rows.size()));
        if (!key) {
            skip(key.message());
            continue;
        }
        if (s.type == questionbank::kTrueFalse) {
            q.kind = Kind::TrueFalse;
            q.right = {key.value().isRight(1) ? 1 : 2};
            q.choices.clear();
        } else {
            q.kind =
                s.type == questionbank::kSingleChoice ? Kind::SingleChoice : Kind::MultipleChoice;
            q.right = key.value().rightChoices();
            if (q.right.empty()) {
                skip("its answer key \"" + s.key + "\" marks no choice right");
                continue;
            }
        }
        if (!s.file.empty()) {
            auto file = source.files.find(s.file);
            if (file != source.files.end()) {
                q.picture = InterchangePicture{s.file, file->second};
            } else {
                report.notes.push_back(q.where + ": picture \"" + s.file +
                                       "\" has no stored copy in the bank; written without it");
            }
        }
        exam.questions.push_back(std::move(q));
    }
    return exam;
}

std::string InterchangeExporter::extensionOf(InterchangeFormat format) {
    switch (format) {
        case InterchangeFormat::Gift:
            return ".gift";
        case InterchangeFormat::MoodleXml:
            return ".xml";
        case InterchangeFormat::Qti:
            return ".zip";
        default:
            return ".exam";
    }
}

xbase::Result<InterchangeExporter::Report> InterchangeExporter::write(const ExamWithFiles& source,
                                                                      InterchangeFormat format,
                                                                      const Options& options) {
    Report report;
    const ExportedExam exam = exported(source, options, report);
    report.written = static_cast<int>(exam.questions.size());
    switch (format) {
        case InterchangeFormat::Gift:
            report.bytes = GiftWriter::write(exam);
            for (const InterchangeQuestion& q : exam.questions) {
                if (q.picture && q.picture->bytes)
                    report.beside[q.picture->name] = *q.picture->bytes;
            }
            return report;
        case InterchangeFormat::MoodleXml:
            report.bytes = MoodleXmlWriter::write(exam);
            return report;
        case InterchangeFormat::Qti: {
            ZX_TRY_ASSIGN(auto package, QtiPackageWriter::write(exam));
            report.bytes = std::move(package);
            return report;
        }
        default:
            return xbase::Status::error(std::string("exams are not written as ") +
                                        InterchangeFormats::name(format) + " by this exporter");
    }
}

}  // namespace zentrix::banktool
