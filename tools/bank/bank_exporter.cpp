#include "tools/bank/bank_exporter.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "base/ascii_text.h"
#include "base/message_sink.h"
#include "questionbank/bank_path.h"
#include "questionbank/exam_folder_file.h"
#include "questionbank/ttesting.h"
#include "tools/bank/exam_source_writer.h"

namespace fs = std::filesystem;

namespace zentrix::banktool {

using questionbank::BankPath;
using questionbank::ExamFolderFile;
using questionbank::TTesting;

namespace {

// Files to write beside the source; one name must not stand for two contents.
class FileSet {
public:
    xbase::Status add(const std::string& name, std::string bytes, const std::string& where) {
        auto it = files_.find(name);
        if (it != files_.end() && it->second != bytes)
            return xbase::Status::error(
                where + ": file \"" + name +
                "\" is stored with different contents elsewhere in the exam");
        files_[name] = std::move(bytes);
        return xbase::Status::ok();
    }
    std::map<std::string, std::string> take() { return std::move(files_); }

private:
    std::map<std::string, std::string> files_;
};

xbase::Status readQuestions(TTesting& bank, ExamSource& exam, FileSet& files) {
    int next = 1;
    for (int n = 1; n <= bank.QuestionCount(); ++n) {
        const std::string where = "exam " + exam.id + ", question " + std::to_string(n);
        if (bank.GoToTestQuestion(n) != 0)
            return xbase::Status::error(where + ": " + bank.LastError());
        const questionbank::TestQuestionInfo& info = bank.QuestionInfo();
        if (info.TYPE != questionbank::kTrueFalse && info.TYPE != questionbank::kSingleChoice &&
            info.TYPE != questionbank::kSimulation && info.TYPE != questionbank::kMultipleChoice)
            return xbase::Status::error(where + ": type " + std::to_string(info.TYPE) +
                                        " is not a known question type");
        QuestionSource q;
        if (info.ID != next) q.id = info.ID;
        next = std::max(next, info.ID + 1);
        q.type = info.TYPE;
        q.title = info.TITLE;
        q.text = info.QUESTION;
        q.answerRows = info.NUMANSWER;
        q.key = bank.GetAnswerKey();
        q.hint = info.Hint;
        q.reference = info.REF;
        q.file = info.GRAPHIC;
        q.caseId = info.CaseID;
        if (q.type != questionbank::kTrueFalse) {
            for (int i = 1; i <= info.NUMANSWER; ++i)
                q.rows.push_back(bank.GetTestQuestionXtra(info.ID, i));
        }
        if (!q.file.empty()) {
            ZX_TRY_ASSIGN(auto bytes, bank.GetGraphicData());
            if (bytes.empty()) {
                q.fileStored = false;
            } else {
                ZX_TRY(BankPath::checkedRelative(q.file).status().withContext(where));
                ZX_TRY(files.add(q.file, std::move(bytes), where));
            }
        }
        exam.questions.push_back(std::move(q));
    }
    exam.nextId.reset();
    if (bank.OpenInfo().NEXTID != next) exam.nextId = bank.OpenInfo().NEXTID;
    return xbase::Status::ok();
}

}  // namespace

std::string BankExporter::fileNameFor(const std::string& examId, const std::string& extension) {
    std::string name;
    for (char c : examId) name.push_back(base::ascii::isAlnum(c) || c == '-' || c == '_' ? c : '_');
    return name + extension;
}

xbase::Result<ExamWithFiles> BankExporter::read(const std::string& bankFolder,
                                                const std::string& examId) {
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    TTesting bank(engine, bankFolder, sink);
    if (!bank.IsValid()) return xbase::Status::error(bank.LastError());
    if (!bank.TestExists(examId))
        return xbase::Status::error("exam " + examId + " is not in " + bankFolder);
    if (bank.OpenTest(examId) != 0)
        return xbase::Status::error("exam " + examId + ": " + bank.LastError());

    const questionbank::OpenTestInfo& info = bank.OpenInfo();
    ExamSource exam;
    exam.id = base::ascii::trimmed(info.PRODID, base::ascii::kBlank);
    exam.folder = info.PATH;
    exam.table = info.TABLENAME;
    exam.title = info.TITLE;
    exam.description = info.DESCRIP;
    exam.picture = info.GRAPHIC;

    questionbank::ParentInfoStruct course;
    course.Id = base::ascii::trimmed(info.PARENT, base::ascii::kBlank);
    exam.course.id = course.Id;
    bank.GetParentInfo(course);
    if (course.Id == "bad")
        return xbase::Status::error("exam " + exam.id + ": its course \"" + exam.course.id +
                                    "\" is not in the catalogue");
    exam.course.title = course.Title;
    exam.course.description = course.Descrip;
    exam.course.time = base::ascii::trimmedRight(course.Time, base::ascii::kBlank);
    exam.course.mixedQuestions = course.NumQ;

    FileSet files;
    if (!exam.picture.empty()) {
        ZX_TRY_ASSIGN(auto bytes, bank.GetDefaultGraphicDT());
        if (bytes.empty()) {
            exam.pictureStored = false;
        } else {
            ZX_TRY(BankPath::checkedRelative(exam.picture)
                       .status()
                       .withContext("exam " + exam.id + ", picture"));
            ZX_TRY(files.add(exam.picture, std::move(bytes), "exam " + exam.id));
        }
    }
    ZX_TRY(readQuestions(bank, exam, files));
    bank.CloseTest();
    return ExamWithFiles{bankFolder, std::move(exam), files.take()};
}

xbase::Status BankExporter::writeFiles(const std::string& outFolder,
                                       const std::map<std::string, std::string>& files) {
    std::error_code ec;
    fs::create_directories(outFolder, ec);
    if (ec) return xbase::Status::error(outFolder + ": cannot create folder: " + ec.message());
    for (const auto& [name, bytes] : files) {
        ZX_TRY_ASSIGN(auto written, ExamFolderFile::write(outFolder, name, bytes));
    }
    return xbase::Status::ok();
}

xbase::Result<std::string> BankExporter::run(const std::string& bankFolder,
                                             const std::string& examId,
                                             const std::string& outFolder) {
    ZX_TRY_ASSIGN(auto read, BankExporter::read(bankFolder, examId));
    const ExamWithFiles& exported = read;
    ZX_TRY(writeFiles(outFolder, exported.files));
    return ExamFolderFile::write(outFolder, fileNameFor(exported.exam.id, ".exam"),
                                 ExamSourceWriter::write(exported.exam));
}

xbase::Result<BankExporter::FormatExport> BankExporter::runAs(
    const std::string& bankFolder, const std::string& examId, const std::string& outFolder,
    InterchangeFormat format, const InterchangeExporter::Options& options) {
    ZX_TRY_ASSIGN(auto read, BankExporter::read(bankFolder, examId));
    ZX_TRY_ASSIGN(auto written, InterchangeExporter::write(read, format, options));
    FormatExport result{{}, std::move(written)};
    ZX_TRY(writeFiles(outFolder, result.report.beside));
    ZX_TRY_ASSIGN(
        auto path,
        ExamFolderFile::write(outFolder,
                              fileNameFor(read.exam.id, InterchangeExporter::extensionOf(format)),
                              result.report.bytes));
    result.path = path;
    return result;
}

}  // namespace zentrix::banktool
