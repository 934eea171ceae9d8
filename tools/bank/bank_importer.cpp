#include "tools/bank/bank_importer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <system_error>

#include "base/ascii_text.h"
#include "base/message_sink.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/ttesting.h"
#include "tools/bank/exam_source_parser.h"
#include "xbase/file.h"

namespace fs = std::filesystem;

namespace zentrix::banktool {

using questionbank::BankPath;
using questionbank::TTesting;

namespace {

struct LoadedExam {
    std::string sourcePath;
    ExamSource exam;
    std::vector<int> questionIds;              // as they will be stored
    int nextId = 1;                            // NEXTID of the stored exam
    std::map<std::string, std::string> files;  // name as written -> bytes
};

// Where messages place a question: its line in the source, or where it
// stood in the file of another format.
std::string placeOf(const LoadedExam& loaded, const QuestionSource& q) {
    return q.origin.empty() ? loaded.sourcePath + ":" + std::to_string(q.line) : q.origin;
}

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
    ZX_TRY_ASSIGN(auto bytes, readFile(*path));
    loaded.files[name] = std::move(bytes);
    return xbase::Status::ok();
}

// Question identifiers: those written, and for the others the next above the
// highest so far (what the bank itself would hand out).
xbase::Status assignIds(LoadedExam& loaded) {
    std::map<int, const QuestionSource*> taken;
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
        loaded.questionIds.push_back(id);
        next = std::max(next, id + 1);
    }
    loaded.nextId = std::max(next, loaded.exam.nextId.value_or(0));
    return xbase::Status::ok();
}

// The exam's folder in the bank, with the separator the bank joins it by: an
// author's "networking" must become "networking/", not a "networkingNETFUND" table.
std::string examFolder(const ExamSource& e) {
    std::string folder = e.folder;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder.push_back('/');
    return folder;
}

// The course when missing, the exam's catalogue record with its description
// and picture, leaving the exam open. `adopt`: the exam's tables are already
// in place and are not created.
xbase::Status addCatalogueEntry(TTesting& bank, const LoadedExam& loaded, bool adopt) {
    const ExamSource& e = loaded.exam;
    auto failed = [&](const std::string& what) {
        return xbase::Status::error(loaded.sourcePath + ": exam " + e.id + ": " + what + ": " +
                                    bank.LastError());
    };
    if (!bank.ParentExists(e.course.id) &&
        bank.AddParent(e.course.id, e.course.title, e.course.description, e.course.time,
                       e.course.mixedQuestions) != 0)
        return failed("adding course " + e.course.id);
    const int added = adopt ? bank.AdoptTest(e.id, e.course.id, examFolder(e), e.table, e.title)
                            : bank.AddTest(e.id, e.course.id, examFolder(e), e.table, e.title);
    if (added != 0) return failed("adding the exam");
    if (bank.OpenTest(e.id) != 0) return failed("opening the new exam");
    if (!e.description.empty() && bank.SetDescription(e.description) != 0)
        return failed("storing its description");
    if (!e.picture.empty()) {
        if (bank.SetDefaultGraphic(e.picture) != 0) return failed("storing its picture name");
        if (e.pictureStored && bank.SetDefaultGraphicDT(loaded.files.at(e.picture)) != 0)
            return failed("storing its picture");
    }
    return xbase::Status::ok();
}

// Builds one exam, tables and catalogue record, in the staging copy.
xbase::Status storeExam(TTesting& bank, const std::string& bankFolder, const LoadedExam& loaded,
                        const BankImporter::Options& options) {
    const ExamSource& e = loaded.exam;
    const std::string& source = loaded.sourcePath;
    auto failed = [&](const std::string& what) {
        return xbase::Status::error(source + ": exam " + e.id + ": " + what + ": " +
                                    bank.LastError());
    };
    const std::string newTables = base::ascii::lower(BankPath::asFolder(e.folder) + e.table);
    std::string oldTables;
    if (bank.TestExists(e.id)) {
        if (!options.replace)
            return xbase::Status::error(
                source + ": exam " + e.id +
                " is already in the bank (import with --replace to replace it)");
        if (bank.OpenTest(e.id) == 0) {
            oldTables = base::ascii::lower(BankPath::asFolder(bank.OpenInfo().PATH) +
                                           bank.OpenInfo().TABLENAME);
            bank.CloseTest();
        }
        if (bank.RemoveTest(e.id) != 0) return failed("removing the exam it replaces");
    }
    // The exam's tables are created afresh: never over another exam's tables.
    if (newTables != oldTables &&
        BankPath::findFile(bankFolder, BankPath::asFolder(e.folder) + e.table + ".dbf")) {
        return xbase::Status::error(
            source + ": exam " + e.id + ": the bank already holds a table \"" +
            BankPath::asFolder(e.folder) + e.table + "\"; choose another table or folder");
    }
    ZX_TRY(addCatalogueEntry(bank, loaded, false));
    for (size_t i = 0; i < e.questions.size(); ++i) {
        const QuestionSource& q = e.questions[i];
        const int id = loaded.questionIds[i];
        const std::string where = q.origin.empty() ? "question on line " + std::to_string(q.line)
                                                   : "question at " + q.origin;
        if (bank.ChangeGlobalCrap(static_cast<int>(i), id) != 0) return failed(where);
        if (bank.AddTestQuestion(static_cast<int>(i) + 1, q.type, q.title, q.text, q.answerRows,
                                 q.key, q.hint, q.reference, q.file, q.caseId) != id)
            return failed(where);
        if (!q.file.empty() && q.fileStored && bank.SetGraphicData(loaded.files.at(q.file)) != 0)
            return failed(where + ", its file");
        for (size_t r = 0; r < q.rows.size(); ++r) {
            if (bank.SetTestQuestionXtra(id, static_cast<int>(r) + 1, q.rows[r]) != 0)
                return failed(where + ", answer row " + std::to_string(r + 1));
        }
    }
    if (bank.ChangeGlobalCrap(static_cast<int>(e.questions.size()), loaded.nextId) != 0)
        return failed("storing its counts");
    bank.CloseTest();
    return xbase::Status::ok();
}

xbase::Status storeAll(const std::string& staging, const std::vector<LoadedExam>& exams,
                       const BankImporter::Options& options) {
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    TTesting bank(engine, staging, sink);
    if (!bank.IsValid()) return xbase::Status::error(bank.LastError());
    for (const LoadedExam& loaded : exams) ZX_TRY(storeExam(bank, staging, loaded, options));
    return xbase::Status::ok();
}

// ---- putting the built exams in place ---------------------------------------

// Flushes a file or folder to disk. A folder is flushed so that the renames
// into it survive a power cut too.
xbase::Status syncPath(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return xbase::Status::error(path + ": cannot open to flush it: " + std::strerror(errno));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0)
        return xbase::Status::error(path + ": flush to disk failed: " + std::strerror(error));
    return xbase::Status::ok();
}

// The files of an exam's question and answer tables, relative to the bank.
std::vector<std::string> tableFilesOf(const std::string& staging, const LoadedExam& loaded) {
    std::vector<std::string> files;
    const std::string base = BankPath::asFolder(loaded.exam.folder) + loaded.exam.table;
    for (const std::string& table : {base, base + questionbank::layout::kAnswerTableSuffix}) {
        for (const char* extension : {".dbf", ".fpt", ".cdx"}) {
            if (std::optional<std::string> found = BankPath::findFile(staging, table + extension))
                files.push_back(fs::relative(*found, staging).string());
        }
    }
    return files;
}

// Moves the built tables from the staging copy into the bank and adds their
// catalogue records there. Engines that have the bank open keep working on
// it throughout: the history and every other table stay where they are, a
// new exam's tables are complete before a record points at them, and an
// engine that has a replaced exam open keeps reading the tables it opened.
class Publication {
public:
    Publication(std::string bank, std::string staging)
        : bank_(std::move(bank)), staging_(std::move(staging)) {}

    xbase::Status run(const std::vector<LoadedExam>& exams, const BankImporter::Options& options) {
        xbase::Status status = placeTables(exams);
        if (status) status = addRecords(exams, options);
        if (status) status = flush();
        if (!status) undo();
        return status;
    }

private:
    xbase::Status placeTables(const std::vector<LoadedExam>& exams) {
        std::set<std::string> folders{bank_};
        for (const LoadedExam& loaded : exams) {
            for (const std::string& relative : tableFilesOf(staging_, loaded)) {
                const fs::path from = fs::path(staging_) / relative;
                const fs::path to = fs::path(BankPath::resolve(bank_, relative));
                std::error_code ec;
                fs::create_directories(to.parent_path(), ec);
                if (ec)
                    return xbase::Status::error(to.parent_path().string() +
                                                ": cannot create folder: " + ec.message());
                ZX_TRY(syncPath(from.string()));
                if (fs::exists(to, ec)) {
                    // A replaced exam's table: set aside until the import is done.
                    const fs::path aside = fs::path(staging_) / (relative + ".replaced");
                    fs::rename(to, aside, ec);
                    if (ec)
                        return xbase::Status::error(to.string() +
                                                    ": cannot set it aside: " + ec.message());
                    setAside_.emplace_back(to.string(), aside.string());
                }
                fs::rename(from, to, ec);
                if (ec)
                    return xbase::Status::error(to.string() +
                                                ": cannot put it in place: " + ec.message());
                placed_.push_back(to.string());
                synced_.push_back(to.string());
                folders.insert(to.parent_path().string());
            }
        }
        for (const std::string& folder : folders) ZX_TRY(syncPath(folder));
        return xbase::Status::ok();
    }

    xbase::Status addRecords(const std::vector<LoadedExam>& exams,
                             const BankImporter::Options& options) {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        TTesting bank(engine, bank_, sink);
        if (!bank.IsValid()) return xbase::Status::error(bank.LastError());
        for (const LoadedExam& loaded : exams) {
            const ExamSource& e = loaded.exam;
            if (bank.TestExists(e.id)) {
                if (!options.replace)
                    return xbase::Status::error(loaded.sourcePath + ": exam " + e.id +
                                                " was added to the bank meanwhile");
                if (bank.RemoveTest(e.id) != 0)
                    return xbase::Status::error(
                        e.id + ": removing the exam it replaces: " + bank.LastError());
            }
            ZX_TRY(addCatalogueEntry(bank, loaded, true));
            added_.push_back(e.id);
            if (bank.ChangeGlobalCrap(static_cast<int>(e.questions.size()), loaded.nextId) != 0)
                return xbase::Status::error(e.id + ": storing its counts: " + bank.LastError());
            bank.CloseTest();
        }
        return xbase::Status::ok();
    }

    xbase::Status flush() {
        for (const char* table :
             {questionbank::layout::kExamTableFile, questionbank::layout::kCourseTableFile}) {
            const std::string base = fs::path(table).stem().string();
            for (const char* extension : {".dbf", ".fpt", ".cdx"}) {
                if (std::optional<std::string> found = BankPath::findFile(bank_, base + extension))
                    ZX_TRY(syncPath(*found));
            }
        }
        for (const std::string& file : synced_) ZX_TRY(syncPath(file));
        return xbase::Status::ok();
    }

    // Takes out what was put in, as far as it can.
    void undo() {
        if (!added_.empty()) {
            xbase::Engine engine;
            base::RecordingMessageSink sink;
            TTesting bank(engine, bank_, sink);
            for (const std::string& id : added_) bank.RemoveTest(id);
        }
        std::error_code ec;
        for (const std::string& file : placed_) fs::remove(file, ec);
        for (const auto& [original, aside] : setAside_) fs::rename(aside, original, ec);
    }

    std::string bank_, staging_;
    std::vector<std::string> placed_, synced_, added_;
    std::vector<std::pair<std::string, std::string>> setAside_;
};

// The staging copy: everything of the bank but the history, which engines
// may be writing at this moment and which the import never changes.
xbase::Status copyBank(const std::string& bank, const std::string& staging) {
    std::error_code ec;
    fs::create_directories(staging, ec);
    if (ec) return xbase::Status::error(staging + ": cannot create folder: " + ec.message());
    for (fs::recursive_directory_iterator it(bank, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path relative = fs::relative(it->path(), bank);
        if (it.depth() == 0 && base::ascii::lower(it->path().stem().string()) == "testhist")
            continue;
        const fs::path target = fs::path(staging) / relative;
        if (it->is_directory()) {
            fs::create_directories(target, ec);
        } else if (it->is_regular_file()) {
            fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, ec);
        }
        if (ec) return xbase::Status::error(target.string() + ": " + ec.message());
    }
    if (ec) return xbase::Status::error(bank + ": " + ec.message());
    return xbase::Status::ok();
}

// One import into a bank at a time: the lock is a byte of the exam table
// far beyond its records, which the engine's own locks never touch.
constexpr uint64_t kImportLockOffset = 0x7FFFFFF0;

}  // namespace

xbase::Result<ExamWithFiles> BankImporter::load(const std::string& sourcePath) {
    ZX_TRY_ASSIGN(auto parsed, ExamSourceParser::parseFile(sourcePath));
    ExamWithFiles loaded;
    loaded.source = sourcePath;
    loaded.exam = std::move(parsed);
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
    std::vector<ExamWithFiles> read;
    for (const std::string& source : sources) {
        ZX_TRY_ASSIGN(auto loaded, load(source));
        read.push_back(std::move(loaded));
    }
    return store(bankFolder, read, options);
}

xbase::Result<std::vector<std::string>> BankImporter::store(const std::string& bankFolder,
                                                            const std::vector<ExamWithFiles>& read,
                                                            const Options& options) {
    std::vector<LoadedExam> exams;
    std::map<std::string, std::string> seen;
    for (const ExamWithFiles& source : read) {
        LoadedExam loaded{source.source, source.exam, {}, 1, source.files};
        const std::string& id = loaded.exam.id;
        if (seen.count(id))
            return xbase::Status::error(source.source + ": exam " + id + " is also in " + seen[id]);
        seen[id] = source.source;
        ZX_TRY(assignIds(loaded));
        exams.push_back(std::move(loaded));
    }

    // Absolute, so that the staging copy is a sibling even for "." or "sub/..".
    std::string bank = fs::absolute(bankFolder).lexically_normal().string();
    while (bank.size() > 1 && bank.back() == '/') bank.pop_back();
    if (!BankPath::findFile(bank, questionbank::layout::kExamTableFile) ||
        !BankPath::findFile(bank, questionbank::layout::kCourseTableFile))
        return xbase::Status::error(bank +
                                    ": holds no question bank (create one with zentrix-bank init)");

    std::optional<std::string> examTable =
        BankPath::findFile(bank, questionbank::layout::kExamTableFile);
    ZX_TRY_ASSIGN(auto lockFile,
                  xbase::FileSystem::posix()->open(*examTable, xbase::OpenMode::ReadWrite));
    if (xbase::Status locked = lockFile->lock(kImportLockOffset, 1, true); !locked)
        return xbase::Status::error(bank + ": another import into this bank is still running (" +
                                    locked.message() + ")");

    const std::string staging = bank + ".import-" + std::to_string(::getpid());
    std::error_code ec;
    fs::remove_all(staging, ec);
    xbase::Status done = copyBank(bank, staging);
    if (done) done = storeAll(staging, exams, options);
    if (done) done = Publication(bank, staging).run(exams, options);
    fs::remove_all(staging, ec);
    // Closing the file below drops the lock too; an unlock that fails changes nothing.
    (void)lockFile->unlock(kImportLockOffset, 1);
    if (!done) return done;

    std::vector<std::string> ids;
    for (const LoadedExam& loaded : exams) ids.push_back(loaded.exam.id);
    return ids;
}

}  // namespace zentrix::banktool
