// TTesting: construction and the course and exam catalogue.

#include "questionbank/ttesting.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/ascii_text.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"

namespace zentrix::questionbank {

namespace {

constexpr const char* kOldDatabaseMessage =
    "this is an old database file that doesn't have time and NumQ, please Close this app and "
    "contact Ferrin!";

// Table fields are blank-padded; only the blanks are padding.
using base::ascii::kBlank;
using base::ascii::trimmed;
using base::ascii::trimmedRight;

}  // namespace

TTesting::TTesting(xbase::Engine& engine, const std::string& databaseFolder,
                   base::MessageSink& sink)
    : engine_(engine), sink_(sink), folder_(BankPath::asFolder(databaseFolder)) {
    // A code left pending by an earlier owner of a shared engine handle says
    // nothing about these tables.
    engine_.takeErrorCode();
    exams_ = openOrCreate(layout::kExamTableFile, layout::examFields(), layout::examTags());
    courses_ = openOrCreate(layout::kCourseTableFile, layout::courseFields(), layout::courseTags());
    if (!exams_ || !courses_) return;

    course_.id = courses_->field("Id");
    course_.title = courses_->field("Title");
    course_.descrip = courses_->field("Descrip");
    course_.num = courses_->field("Num");
    course_.time = courses_->field("Time");
    if (!course_.time) {
        lastError_ = kOldDatabaseMessage;
        sink_.showMessage(kOldDatabaseMessage);
        return;
    }
    bindCatalogue();
    if (!course_.idTag || !exam_.prodIdTag || !exam_.parentTag || !course_.id || !exam_.prodId ||
        !exam_.parent) {
        lastError_ = "The question bank in " + folder_ +
                     " lacks the identifier fields or tags of its course and exam tables.";
        sink_.showMessage(lastError_);
        return;
    }
    openId_.clear();
    openParent_.clear();
    LoadParentIds();
    valid_ = true;
}

TTesting::~TTesting() {
    CloseTest();
    exams_.reset();
    courses_.reset();
}

std::unique_ptr<xbase::Table> TTesting::openOrCreate(const std::string& fileName,
                                                     const std::vector<xbase::FieldSpec>& fields,
                                                     const std::vector<xbase::TagSpec>& tags) {
    const std::string path = folder_ + fileName;
    engine_.takeErrorCode();
    xbase::Result<std::unique_ptr<xbase::Table>> table = engine_.openOrCreate(path, fields, tags);
    if (table) return std::move(table).value();
    if (engine_.takeErrorCode() == xbase::kErrorCreate) {
        lastError_ =
            "The question bank table " + path + " cannot be created (" + table.message() + ").";
    } else {
        // A table that is there but unreadable may hold a bank a repair can
        // save: it is reported and left alone, never created over.
        lastError_ = "The question bank table " + path + " exists but cannot be opened (" +
                     table.message() + "). It was left unchanged.";
    }
    sink_.showMessage(lastError_);
    return nullptr;
}

void TTesting::bindCatalogue() {
    course_.numQ = courses_->field("NumQ");
    course_.idTag = courses_->tag("ID");
    exam_.prodId = exams_->field("PRODID");
    exam_.path = exams_->field("PATH");
    exam_.tableName = exams_->field("TABLENAME");
    exam_.title = exams_->field("TITLE");
    exam_.numTestQ = exams_->field("NUMTESTQ");
    exam_.nextId = exams_->field("NEXTID");
    exam_.graphic = exams_->field("GRAPHIC");
    exam_.graphicDt = exams_->field("GRAPHICDT");
    exam_.descrip = exams_->field("DESCRIP");
    exam_.parent = exams_->field("PARENT");
    exam_.prodIdTag = exams_->tag("PRODID");
    exam_.parentTag = exams_->tag("PARENT");
}

void TTesting::LoadParentIds() {
    parentIds_.clear();
    courses_->selectRecordOrder();
    for (bool on = courses_->top(); on; on = courses_->skip(1)) {
        if (!courses_->deleted()) parentIds_.push_back(trimmed(courses_->text(course_.id), kBlank));
    }
}

int TTesting::fail(const std::string& message) {
    lastError_ = message;
    return -1;
}

int TTesting::failStatus(const xbase::Status& status) {
    engine_.takeErrorCode();
    return fail(status.message());
}

// ---- listing ---------------------------------------------------------------

unsigned char TTesting::TreeLinkState(bool topLevel, int i, int n) {
    if (i == 1) return n > 1 ? 1 : (topLevel ? 0 : 3);
    return i == n ? 3 : 2;
}

unsigned char TTesting::DerivedLinkState(unsigned char state) {
    if (state == 1) return 2;
    if (state == 3) return 0;
    return state;
}

std::vector<TTesting::ExamEntry> TTesting::examsOfCourse(const std::string& courseId) {
    std::vector<ExamEntry> found;
    if (!valid_ || !exams_->selectTag(exam_.parentTag)) return found;
    if (!exams_->seek(courseId)) return found;
    do {
        if (trimmed(exams_->text(exam_.parent), kBlank) != courseId) break;
        found.push_back({trimmed(exams_->text(exam_.prodId), kBlank),
                         trimmed(exams_->memo(exam_.title), kBlank)});
    } while (exams_->skip(1));
    return found;
}

void TTesting::ListQVSelectTitles(bool mixedRows, bool questionRows) {
    OnSelectBegin();
    if (valid_) {
        struct Course {
            std::string id, title;
        };
        std::vector<Course> courseList;
        courses_->selectRecordOrder();
        for (bool on = courses_->top(); on; on = courses_->skip(1)) {
            if (!courses_->deleted())
                courseList.push_back({trimmed(courses_->text(course_.id), kBlank),
                                      trimmed(courses_->memo(course_.title), kBlank)});
        }

        int rowIndex = 0;
        auto fire = [&](const std::string& courseId, const std::string& testId,
                        const std::string& title, unsigned char kind, unsigned char pPS,
                        unsigned char gPS, unsigned char qPS, int questionNo) {
            OnSelectItem(courseId, testId, title, kind, pPS, gPS, qPS, questionNo, rowIndex++);
        };
        const std::string none;
        const int courseCount = static_cast<int>(courseList.size());
        unsigned char previous = 0;
        for (int i = 1; i <= courseCount; ++i) {
            const Course& course = courseList[i - 1];
            if (i > 1) fire(none, none, none, kCourseRow, previous, 0, 0, 0);
            unsigned char pPS = TreeLinkState(true, i, courseCount);
            fire(course.id, none, course.title, kCourseRow, pPS, 0, 0, 0);
            pPS = DerivedLinkState(pPS);
            previous = pPS;

            const std::vector<ExamEntry> examList = examsOfCourse(course.id);
            const int examCount = static_cast<int>(examList.size());
            for (int j = 1; j <= examCount; ++j) {
                const ExamEntry& exam = examList[j - 1];
                unsigned char gPS = TreeLinkState(false, j, examCount);
                if (mixedRows && gPS == 3) gPS = 2;
                fire(course.id, exam.prodId, exam.title, kExamRow, pPS, gPS, 0, 0);
                gPS = DerivedLinkState(gPS);
                if (!questionRows || OpenTest(exam.prodId) != 0) continue;

                const int questionCount = openInfo_.NUMTESTQ;
                int k = 0;
                const bool byNumber = questions_->selectTag(question_.numTag).isOk();
                for (bool on = byNumber && questions_->top(); on; on = questions_->skip(1)) {
                    const std::string title = trimmed(questions_->memo(question_.title), kBlank);
                    if (title.empty()) continue;
                    const int number = static_cast<int>(questions_->asLong(question_.num));
                    std::string numberText = std::to_string(number);
                    if (numberText.size() < 4) numberText.insert(0, 4 - numberText.size(), ' ');
                    ++k;
                    fire(course.id, exam.prodId, "Question: " + numberText + " - " + title,
                         kQuestionRow, pPS, gPS, TreeLinkState(false, k, questionCount), number);
                }
                CloseTest();
            }
            if (mixedRows)
                fire(course.id, none, "Zentrix for " + course.title, kMixedRow, pPS, 3, 0, 0);
        }
    }
    OnSelectEnd();
}

std::string TTesting::GetParentId(int i) const {
    if (i < 1 || i > GetParentIdCount()) return {};
    return parentIds_[i - 1];
}

int TTesting::CountRecords(int kind, const std::string& id) {
    if (!valid_) return 0;
    switch (kind) {
        case 1: {
            int count = 0;
            courses_->selectRecordOrder();
            for (bool on = courses_->top(); on; on = courses_->skip(1))
                count += courses_->deleted() ? 0 : 1;
            return count;
        }
        case 2:
            return static_cast<int>(examsOfCourse(trimmed(id, kBlank)).size());
        case 3:
            return countQuestionsOf(id);
        default:
            return 0;
    }
}

int TTesting::countQuestionsOf(const std::string& prodId) {
    if (open_ && trimmedRight(openId_, kBlank) == trimmedRight(prodId, kBlank))
        return openInfo_.NUMTESTQ;
    if (!open_) {
        if (OpenTest(prodId) != 0) return 0;
        const int count = openInfo_.NUMTESTQ;
        CloseTest();
        return count;
    }
    // Another exam is open: count without disturbing it, then put the exam
    // table back on its record.
    int count = 0;
    if (seekExam(prodId) &&
        BankPath::checkExamLocation(exams_->memo(exam_.path), exams_->text(exam_.tableName))) {
        const std::string name = trimmedRight(exams_->memo(exam_.path), kBlank) +
                                 trimmedRight(exams_->text(exam_.tableName), kBlank);
        xbase::Result<std::unique_ptr<xbase::Table>> table =
            engine_.open(BankPath::resolveTable(folder_, name));
        if (table) {
            const xbase::Field* title = table.value()->field("TITLE");
            const xbase::Field* text = table.value()->field("QUESTION");
            for (bool on = table.value()->top(); on; on = table.value()->skip(1)) {
                if (table.value()->deleted()) continue;
                if (!trimmed(table.value()->memo(title), kBlank).empty() ||
                    !trimmed(table.value()->memo(text), kBlank).empty())
                    ++count;
            }
        } else {
            engine_.takeErrorCode();
        }
    }
    locateOpenExamRecord();
    return count;
}

// ---- courses -----------------------------------------------------------------

bool TTesting::seekCourse(const std::string& id) {
    if (!valid_ || !courses_->selectTag(course_.idTag)) return false;
    return courses_->seek(id);
}

bool TTesting::ParentExists(const std::string& id) { return seekCourse(id); }

std::string TTesting::GetParentTitle(const std::string& id) {
    return seekCourse(id) ? courses_->memo(course_.title) : std::string();
}

std::string TTesting::GetParentDescription(const std::string& id) {
    return seekCourse(id) ? courses_->memo(course_.descrip) : std::string();
}

std::string TTesting::GetParent_TestTime(const std::string& id) {
    return seekCourse(id) ? courses_->text(course_.time) : std::string();
}

int TTesting::GetParentNum(const std::string& id) {
    return seekCourse(id) ? static_cast<int>(courses_->asLong(course_.num)) : 0;
}

void TTesting::GetParentInfo(ParentInfoStruct& info) {
    if (!seekCourse(info.Id)) {
        info.Id = "bad";
        return;
    }
    info.Title = courses_->memo(course_.title);
    info.Descrip = courses_->memo(course_.descrip);
    info.Num = static_cast<int>(courses_->asLong(course_.num));
    info.Time = courses_->text(course_.time);
    info.NumQ = static_cast<int>(courses_->asLong(course_.numQ));
}

void TTesting::SetParentInfo(ParentInfoStruct& info, const std::string& id) {
    if (!seekCourse(id)) {
        info.Id = "bad";
        return;
    }
    xbase::Status status = courses_->assignMemo(course_.title, info.Title);
    if (status) status = courses_->assignMemo(course_.descrip, info.Descrip);
    if (status) status = courses_->assign(course_.time, info.Time);
    if (status) status = courses_->assignLong(course_.numQ, info.NumQ);
    if (status) status = courses_->assign(course_.id, info.Id);
    if (status) status = courses_->commit();
    if (!status) failStatus(status);
}

int TTesting::SetParentTitle(const std::string& id, const std::string& title) {
    if (!seekCourse(id)) return fail("course \"" + id + "\" is not in the catalogue");
    xbase::Status status = courses_->assignMemo(course_.title, title);
    if (status) status = courses_->commit();
    return status ? 0 : failStatus(status);
}

int TTesting::AddParent(const std::string& id, const std::string& title, const std::string& descrip,
                        const std::string& time, int numQ) {
    if (!valid_) return fail("the question bank is not usable");
    xbase::Status status = courses_->appendBlank();
    if (status) status = courses_->assign(course_.id, id);
    if (status) status = courses_->assignMemo(course_.title, title);
    if (status) status = courses_->assignMemo(course_.descrip, descrip);
    if (status) status = courses_->assignLong(course_.num, 0);
    if (status) status = courses_->assign(course_.time, time);
    if (status) status = courses_->assignLong(course_.numQ, numQ);
    if (status) status = courses_->commit();
    return status ? 0 : failStatus(status);
}

// ---- exams -------------------------------------------------------------------

bool TTesting::seekExam(const std::string& prodId) {
    if (!valid_ || !exams_->selectTag(exam_.prodIdTag)) return false;
    return exams_->seek(trimmedRight(prodId, kBlank));
}

bool TTesting::TestExists(const std::string& prodId) { return seekExam(prodId); }

std::string TTesting::GetGTest_Title(const std::string& prodId) {
    return seekExam(prodId) ? exams_->memo(exam_.title) : std::string();
}

std::string TTesting::GetTestDescription(const std::string& prodId) {
    return seekExam(prodId) ? exams_->memo(exam_.descrip) : std::string();
}

int TTesting::AddTest(const std::string& prodId, const std::string& parentId,
                      const std::string& path, const std::string& tableName,
                      const std::string& title) {
    return addExamRecord(prodId, parentId, path, tableName, title, true);
}

int TTesting::AdoptTest(const std::string& prodId, const std::string& parentId,
                        const std::string& path, const std::string& tableName,
                        const std::string& title) {
    return addExamRecord(prodId, parentId, path, tableName, title, false);
}

int TTesting::addExamRecord(const std::string& prodId, const std::string& parentId,
                            const std::string& path, const std::string& tableName,
                            const std::string& title, bool createTables) {
    if (!valid_) return fail("the question bank is not usable");
    // The exam's tables are created below the database folder only.
    if (xbase::Status inside = BankPath::checkExamLocation(path, tableName); !inside)
        return fail("exam " + prodId + ": " + inside.message());
    const std::string folder = BankPath::asFolder(trimmedRight(path, kBlank));

    // The tables come first: when they cannot be made (a damaged file of that
    // name is never replaced) no catalogue record points at them.
    const std::string folderOnDisk = BankPath::resolve(folder_, trimmedRight(path, kBlank));
    std::error_code ec;
    if (createTables && !folder.empty()) std::filesystem::create_directories(folderOnDisk, ec);
    if (ec) return fail(folderOnDisk + ": cannot create folder: " + ec.message());
    const std::string base =
        BankPath::resolve(folder_, trimmedRight(path, kBlank) + trimmedRight(tableName, kBlank));
    if (!createTables) {
        // The tables are already in place: they must open before a record points at them.
        xbase::Result<std::unique_ptr<xbase::Table>> questions = engine_.open(base);
        if (!questions) return failStatus(questions.status());
        xbase::Result<std::unique_ptr<xbase::Table>> answers =
            engine_.open(base + layout::kAnswerTableSuffix);
        if (!answers) return failStatus(answers.status());
    } else {
        xbase::Result<std::unique_ptr<xbase::Table>> questions =
            engine_.create(base, layout::questionFields(), layout::questionTags());
        if (!questions) return failStatus(questions.status());
        xbase::Result<std::unique_ptr<xbase::Table>> answers = engine_.create(
            base + layout::kAnswerTableSuffix, layout::answerFields(), layout::answerTags());
        if (!answers) return failStatus(answers.status());
    }
    xbase::Status status = exams_->appendBlank();
    if (status) status = exams_->assign(exam_.prodId, prodId);
    if (status) status = exams_->assign(exam_.parent, parentId);
    if (status) status = exams_->assignMemo(exam_.path, path);
    if (status) status = exams_->assign(exam_.tableName, tableName);
    if (status) status = exams_->assignMemo(exam_.title, title);
    if (status) status = exams_->assignLong(exam_.numTestQ, 0);
    if (status) status = exams_->assignLong(exam_.nextId, 1);
    if (status) status = exams_->commit();
    if (!status) return failStatus(status);

    openInfo_.NUMTESTQ = 0;
    openInfo_.NEXTID = 1;
    if (seekCourse(parentId)) {
        status = courses_->assignLong(course_.num, courses_->asLong(course_.num) + 1);
        if (status) status = courses_->commit();
        if (!status) return failStatus(status);
    }
    openParent_ = trimmedRight(parentId, kBlank);
    return 0;
}

int TTesting::RemoveTest(const std::string& prodId) {
    if (open_ && trimmedRight(openId_, kBlank) == trimmedRight(prodId, kBlank)) CloseTest();
    if (!seekExam(prodId)) return fail("exam \"" + prodId + "\" is not in the catalogue");
    const std::string parent = trimmed(exams_->text(exam_.parent), kBlank);
    xbase::Status status = exams_->markDeleted();
    if (status) status = exams_->commit();
    if (!status) return failStatus(status);
    if (seekCourse(parent)) {
        status = courses_->assignLong(course_.num, std::max(0L, courses_->asLong(course_.num) - 1));
        if (status) status = courses_->commit();
        if (!status) return failStatus(status);
    }
    locateOpenExamRecord();
    return 0;
}

int TTesting::ChangeParentIds(const std::string& oldId, const std::string& newId) {
    if (!valid_) return fail("the question bank is not usable");
    if (trimmedRight(oldId, kBlank) == trimmedRight(newId, kBlank)) return 0;
    // The records are gathered first: a new identifier that the field cuts
    // back to the old one must not make this loop forever.
    std::vector<uint32_t> records;
    if (exams_->selectTag(exam_.parentTag) && exams_->seek(oldId)) {
        do {
            if (trimmedRight(exams_->text(exam_.parent), kBlank) != trimmedRight(oldId, kBlank))
                break;
            records.push_back(exams_->recno());
        } while (exams_->skip(1));
    }
    for (uint32_t record : records) {
        if (!exams_->go(record)) continue;
        xbase::Status status = exams_->assign(exam_.parent, newId);
        if (status) status = exams_->commit();
        if (!status) return failStatus(status);
        if (open_ &&
            trimmedRight(exams_->text(exam_.prodId), kBlank) == trimmedRight(openId_, kBlank))
            openParent_ = newId;
    }
    if (open_) seekExam(openId_);
    return 0;
}

int TTesting::ChangeGlobalCrap(int numTestQ, int nextId) {
    if (!examRecordCurrent())
        return fail("no exam is open, or its catalogue record is not current");
    return writeExamCounts(numTestQ, nextId);
}

int TTesting::writeExamCounts(int numTestQ, int nextId) {
    xbase::Status status = exams_->assignLong(exam_.numTestQ, numTestQ);
    if (status) status = exams_->assignLong(exam_.nextId, nextId);
    if (status) status = exams_->commit();
    if (!status) return failStatus(status);
    openInfo_.NUMTESTQ = numTestQ;
    openInfo_.NEXTID = nextId;
    return 0;
}

int TTesting::PackDatabases() {
    if (!valid_) return fail("the question bank is not usable");
    std::vector<xbase::Table*> tables{exams_.get(), courses_.get()};
    if (open_) {
        tables.push_back(questions_.get());
        tables.push_back(answers_.get());
    }
    for (xbase::Table* table : tables) {
        if (xbase::Status status = table->pack(); !status) return failStatus(status);
    }
    for (xbase::Table* table : tables) {
        if (xbase::Status status = table->compressMemo(); !status) return failStatus(status);
    }
    locateOpenExamRecord();
    return 0;
}

void TTesting::ListTestTitlesWParent() {
    OnTitleBegin();
    if (valid_) {
        exams_->selectRecordOrder();
        for (bool on = exams_->top(); on; on = exams_->skip(1)) {
            if (exams_->deleted()) continue;
            OnTestTitleWParent(exams_->memo(exam_.title), exams_->text(exam_.prodId),
                               exams_->text(exam_.parent));
        }
    }
    OnTitleEnd();
}

bool TTesting::locateOpenExamRecord() {
    if (!open_) return false;
    if (examRecordCurrent()) return true;
    return seekExam(openId_);
}

bool TTesting::examRecordCurrent() const {
    if (!open_ || !exams_ || exams_->recno() == 0 || exams_->eof()) return false;
    return trimmedRight(exams_->text(exam_.prodId), kBlank) == trimmedRight(openId_, kBlank);
}

}  // namespace zentrix::questionbank
