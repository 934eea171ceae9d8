#include "tools/bank/bank_importer.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

#include "platform/message_sink.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/ttesting.h"
#include "tools/bank/exam_source_parser.h"

namespace fs = std::filesystem;

namespace zentrix::banktool {

using questionbank::BankPath;
using questionbank::TTesting;

namespace {

xbase::Result<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return xbase::Status::error(path + ": cannot be read");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

xbase::Status loadFile(ExamWithFiles& loaded, const std::string& name, int line) {
    if (loaded.files.count(name)) return xbase::Status::ok();
    const std::string folder = fs::path(loaded.source).parent_path().string();
    std::optional<std::string> path = BankPath::findFile(folder, name);
    if (!path) {
        return xbase::Status::error(
            loaded.source + ":" + std::to_string(line) + ": file \"" + name +
            "\" is not beside the source (write stored = false to keep the name only)");
    }
    xbase::Result<std::string> bytes = readFile(*path);
    if (!bytes) return bytes.status();
    loaded.files[name] = std::move(bytes).value();
    return xbase::Status::ok();
}

// Question identifiers: those written, and for the others the next above the
// highest so far (what the bank itself would hand out).
// Where messages place a question: its line in the source, or where it
// stood in the file of another format.
std::string placeOf(const ExamWithFiles& loaded, const QuestionSource& q) {
    return q.origin.empty() ? loaded.source + ":" + std::to_string(q.line) : q.origin;
}

// Question identifiers: those written, and for the others the next above the
// highest so far (what the bank itself would hand out).
xbase::Result<std::vector<int>> assignIds(const ExamWithFiles& loaded) {
    std::map<int, const QuestionSource*> taken;
    std::vector<int> ids;
    int next = 1;
    for (const QuestionSource& q : loaded.exam.questions) {
        const int id = q.id.value_or(next);
        if (taken.count(id)) {
            return xbase::Status::error(placeOf(loaded, q) + ": question id " + std::to_string(id) +
                                        " is taken by the question at " +
                                        placeOf(loaded, *taken[id]));
        }
        if (id > 9998) return xbase::Status::error(placeOf(loaded, q) + ": too many questions");
        taken[id] = &q;
        ids.push_back(id);
        next = std::max(next, id + 1);
    }
    return ids;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

xbase::Status storeExam(TTesting& bank, const std::string& bankFolder, const ExamWithFiles& loaded,
                        const std::vector<int>& questionIds, const BankImporter::Options& options) {
    const ExamSource& e = loaded.exam;
    const std::string& source = loaded.source;
    auto failed = [&](const std::string& what) {
        return xbase::Status::error(source + ": exam " + e.id + ": " + what + ": " + bank.LastError());
    };
    const std::string newTables = lowerCase(BankPath::asFolder(e.folder) + e.table);
    std::string oldTables;
    if (bank.TestExists(e.id)) {
        if (!options.replace)
            return xbase::Status::error(source + ": exam " + e.id +
                                        " is already in the bank (import with --replace to replace it)");
        if (bank.OpenTest(e.id) == 0) {
            oldTables = lowerCase(BankPath::asFolder(bank.OpenInfo().PATH) + bank.OpenInfo().TABLENAME);
            bank.CloseTest();
        }
        if (bank.RemoveTest(e.id) != 0) return failed("removing the exam it replaces");
    }
    // The exam's tables are created afresh: never over another exam's tables.
    if (newTables != oldTables && BankPath::findFile(bankFolder, BankPath::asFolder(e.folder) + e.table + ".dbf")) {
        return xbase::Status::error(source + ": exam " + e.id + ": the bank already holds a table \"" +
                                    BankPath::asFolder(e.folder) + e.table + "\"; choose another table or folder");
    }
    if (!bank.ParentExists(e.course.id) &&
        bank.AddParent(e.course.id, e.course.title, e.course.description, e.course.time, e.course.mixedQuestions) != 0)
        return failed("adding course " + e.course.id);
    // The bank joins folder and table name without a separator: an author's
    // "networking" must become "networking/", not a "networkingNETFUND" table.
    std::string folder = e.folder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder.push_back('/');
    if (bank.AddTest(e.id, e.course.id, folder, e.table, e.title) != 0) return failed("adding the exam");
    if (bank.OpenTest(e.id) != 0) return failed("opening the new exam");
    if (!e.description.empty() && bank.SetDescription(e.description) != 0) return failed("storing its description");
    if (!e.picture.empty()) {
        if (bank.SetDefaultGraphic(e.picture) != 0) return failed("storing its picture name");
        if (e.pictureStored && bank.SetDefaultGraphicDT(loaded.files.at(e.picture)) != 0)
            return failed("storing its picture");
    }
    int highest = 0;
    for (size_t i = 0; i < e.questions.size(); ++i) {
        const QuestionSource& q = e.questions[i];
        const int id = questionIds[i];
        const std::string where = q.origin.empty() ? "question on line " + std::to_string(q.line)
                                                   : "question at " + q.origin;
        if (bank.ChangeGlobalCrap(static_cast<int>(i), id) != 0) return failed(where);
        if (bank.AddTestQuestion(static_cast<int>(i) + 1, q.type, q.title, q.text, q.answerRows, q.key, q.hint,
                                 q.reference, q.file, q.caseId) != id)
            return failed(where);
        if (!q.file.empty() && q.fileStored && bank.SetGraphicData(loaded.files.at(q.file)) != 0)
            return failed(where + ", its file");
        for (size_t r = 0; r < q.rows.size(); ++r) {
            if (bank.SetTestQuestionXtra(id, static_cast<int>(r) + 1, q.rows[r]) != 0)
                return failed(where + ", answer row " + std::to_string(r + 1));
        }
        highest = std::max(highest, id);
    }
    const int nextId = std::max(highest + 1, e.nextId.value_or(0));
    if (bank.ChangeGlobalCrap(static_cast<int>(e.questions.size()), nextId) != 0) return failed("storing its counts");
    bank.CloseTest();
    return xbase::Status::ok();
}

xbase::Status storeAll(const std::string& staging, const std::vector<ExamWithFiles>& exams,
                       const std::vector<std::vector<int>>& questionIds,
                       const BankImporter::Options& options) {
    xbase::Engine engine;
    platform::RecordingMessageSink sink;
    TTesting bank(engine, staging, sink);
    if (!bank.IsValid()) return xbase::Status::error(bank.LastError());
    for (size_t i = 0; i < exams.size(); ++i)
        ZX_TRY(storeExam(bank, staging, exams[i], questionIds[i], options));
    return xbase::Status::ok();
}

}  // namespace

xbase::Result<ExamWithFiles> BankImporter::load(const std::string& sourcePath) {
    xbase::Result<ExamSource> parsed = ExamSourceParser::parseFile(sourcePath);
    if (!parsed) return parsed.status();
    ExamWithFiles loaded;
    loaded.source = sourcePath;
    loaded.exam = std::move(parsed).value();
    if (!loaded.exam.picture.empty() && loaded.exam.pictureStored)
        ZX_TRY(loadFile(loaded, loaded.exam.picture, loaded.exam.pictureLine));
    for (const QuestionSource& q : loaded.exam.questions) {
        if (!q.file.empty() && q.fileStored) ZX_TRY(loadFile(loaded, q.file, q.fileLine));
    }
    return loaded;
}

xbase::Result<std::vector<std::string>> BankImporter::run(const std::string& bankFolder,
                                                          const std::vector<std::string>& sources,
                                                          const Options& options) {
    std::vector<ExamWithFiles> exams;
    for (const std::string& source : sources) {
        xbase::Result<ExamWithFiles> loaded = load(source);
        if (!loaded) return loaded.status();
        exams.push_back(std::move(loaded).value());
    }
    return store(bankFolder, exams, options);
}

xbase::Result<std::vector<std::string>> BankImporter::store(const std::string& bankFolder,
                                                            const std::vector<ExamWithFiles>& exams,
                                                            const Options& options) {
    std::map<std::string, std::string> seen;
    std::vector<std::vector<int>> questionIds;
    for (const ExamWithFiles& loaded : exams) {
        const std::string& id = loaded.exam.id;
        if (seen.count(id))
            return xbase::Status::error(loaded.source + ": exam " + id + " is also in " + seen[id]);
        seen[id] = loaded.source;
        xbase::Result<std::vector<int>> ids = assignIds(loaded);
        if (!ids) return ids.status();
        questionIds.push_back(std::move(ids).value());
    }

    // Absolute, so that the staging copy is a sibling even for "." or "sub/..".
    std::string bank = fs::absolute(bankFolder).lexically_normal().string();
    while (bank.size() > 1 && bank.back() == '/') bank.pop_back();
    if (!BankPath::findFile(bank, questionbank::layout::kExamTableFile) ||
        !BankPath::findFile(bank, questionbank::layout::kCourseTableFile))
        return xbase::Status::error(bank + ": holds no question bank (create one with zentrix-bank init)");

    const std::string suffix = std::to_string(::getpid());
    const std::string staging = bank + ".import-" + suffix;
    std::error_code ec;
    fs::remove_all(staging, ec);
    fs::copy(bank, staging, fs::copy_options::recursive, ec);
    if (ec) {
        fs::remove_all(staging, ec);
        return xbase::Status::error(staging + ": cannot copy the bank for the import: " + ec.message());
    }
    xbase::Status stored = storeAll(staging, exams, questionIds, options);
    if (!stored) {
        fs::remove_all(staging, ec);
        return stored;
    }

    const std::string previous = bank + ".before-import-" + suffix;
    fs::rename(bank, previous, ec);
    if (ec) {
        fs::remove_all(staging, ec);
        return xbase::Status::error(bank + ": cannot move the bank aside: " + ec.message());
    }
    fs::rename(staging, bank, ec);
    if (ec) {
        std::error_code back;
        fs::rename(previous, bank, back);
        fs::remove_all(staging, back);
        return xbase::Status::error(bank + ": cannot put the new bank in place: " + ec.message());
    }
    fs::remove_all(previous, ec);

    std::vector<std::string> ids;
    for (const ExamWithFiles& loaded : exams) ids.push_back(loaded.exam.id);
    return ids;
}

}  // namespace zentrix::banktool
