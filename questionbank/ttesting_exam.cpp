// TTesting: opening an exam, the question cursor and reading answer rows.

#include <algorithm>
#include <chrono>
#include <functional>
#include <numeric>
#include <optional>
#include <random>

#include "base/ascii_text.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/byte_memo.h"
#include "questionbank/exam_folder_file.h"
#include "questionbank/ttesting.h"

namespace zentrix::questionbank {

namespace {

// Table fields are blank-padded; only the blanks are padding.
using base::ascii::kBlank;
using base::ascii::trimmed;
using base::ascii::trimmedRight;

}  // namespace

int TTesting::OpenTest(const std::string& id) {
    int usedRegular = 1;
    return openExam(id, false, usedRegular);
}

int TTesting::OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular) {
    return openExam(id, preferAlternative, usedRegular);
}

int TTesting::openExam(const std::string& id, bool preferAlternative, int& usedRegular) {
    usedRegular = 1;
    if (!valid_) return fail("the question bank is not usable");
    if (open_) CloseTest();
    caseTableOpen_ = false;
    if (!seekExam(id))
        return fail("exam \"" + trimmedRight(id, kBlank) + "\" is not in the catalogue");

    const std::string examFolder = trimmedRight(exams_->memo(exam_.path), kBlank);
    // The exam's tables are opened for writing and its files written out in
    // its folder: a record pointing outside the bank is not followed.
    if (xbase::Status inside =
            BankPath::checkExamLocation(examFolder, exams_->text(exam_.tableName));
        !inside)
        return fail("exam " + trimmedRight(id, kBlank) + ": " + inside.message());
    const std::string regularName =
        examFolder + trimmedRight(exams_->text(exam_.tableName), kBlank);
    std::string tableName = regularName;
    if (preferAlternative &&
        BankPath::findFile(folder_, tableName + layout::kAlternativeSuffix + ".dbf")) {
        tableName += layout::kAlternativeSuffix;
        usedRegular = 0;
    }

    xbase::Result<std::unique_ptr<xbase::Table>> questions =
        engine_.open(BankPath::resolveTable(folder_, tableName));
    if (!questions) return failStatus(questions.status());
    xbase::Result<std::unique_ptr<xbase::Table>> answers =
        engine_.open(BankPath::resolveTable(folder_, tableName + layout::kAnswerTableSuffix));
    if (!answers) return failStatus(answers.status());

    QuestionFields q;
    xbase::Table& qt = *questions.value();
    q.num = qt.field("NUM");
    q.id = qt.field("ID");
    q.type = qt.field("TYPE");
    q.title = qt.field("TITLE");
    q.question = qt.field("QUESTION");
    q.numAnswer = qt.field("NUMANSWER");
    q.answer = qt.field("ANSWER");
    q.hint = qt.field("Hint");
    q.ref = qt.field("REF");
    q.graphic = qt.field("GRAPHIC");
    q.graphicDt = qt.field("GRAPHICDT");
    const bool hasCases = qt.fieldCount() == layout::kQuestionFieldsWithCases;
    if (hasCases) q.caseId = qt.field("CASEID");
    q.numTag = qt.tag("NUM");
    q.idTag = qt.tag("ID");
    AnswerFields a;
    xbase::Table& at = *answers.value();
    a.id = at.field("ID");
    a.index = at.field("INDEX");
    a.answer = at.field("ANSWER");
    a.idTag = at.tag("ID");
    // Without these the cursor and the answer lookups would wander.
    if (!q.num || !q.id || !q.numTag || !q.idTag)
        return fail(qt.info().path + ": question table lacks the field or tag NUM or ID");
    if (!a.id || !a.index || !a.idTag)
        return fail(at.info().path + ": answer table lacks the field ID or INDEX or the tag ID");

    // The tags are there; a damaged index can still make one unusable, and
    // the cursor would then walk another order: the highest identifier and
    // the question count below depend on it.
    if (xbase::Status byId = qt.selectTag(q.idTag); !byId) return failStatus(byId);
    // A NEXTID at or below an identifier in use would hand that identifier
    // out again and mix two questions' answer rows.
    const int highestId = qt.bottom() ? static_cast<int>(qt.asLong(q.id)) : 0;
    if (xbase::Status byNumber = qt.selectTag(q.numTag); !byNumber) return failStatus(byNumber);
    int count = 0;
    for (bool on = qt.top(); on; on = qt.skip(1)) {
        if (!trimmed(qt.memo(q.title), kBlank).empty() ||
            !trimmed(qt.memo(q.question), kBlank).empty())
            ++count;
    }
    qt.top();
    if (xbase::Status answersById = at.selectTag(a.idTag); !answersById)
        return failStatus(answersById);

    questions_ = std::move(questions).value();
    answers_ = std::move(answers).value();
    question_ = q;
    answer_ = a;
    hasCaseStudies_ = hasCases;
    examFolder_ = examFolder;
    openId_ = id;
    openParent_ = trimmed(exams_->text(exam_.parent), kBlank);
    open_ = true;

    openInfo_ = OpenTestInfo();
    openInfo_.PRODID = exams_->text(exam_.prodId);
    openInfo_.PATH = examFolder;
    openInfo_.TABLENAME = trimmedRight(exams_->text(exam_.tableName), kBlank);
    openInfo_.TITLE = exams_->memo(exam_.title);
    openInfo_.NEXTID = static_cast<int>(exams_->asLong(exam_.nextId));
    openInfo_.GRAPHIC = exams_->memo(exam_.graphic);
    openInfo_.DESCRIP = exams_->memo(exam_.descrip);
    openInfo_.PARENT = exams_->text(exam_.parent);
    if (openInfo_.NEXTID <= highestId) openInfo_.NEXTID = highestId + 1;
    openInfo_.NUMTESTQ = count;
    questionInfo_ = TestQuestionInfo();

    if (hasCaseStudies_ &&
        BankPath::findFile(folder_, regularName + layout::kCaseStudySuffix + ".DBF")) {
        const std::string examFolderOnDisk =
            BankPath::asFolder(BankPath::resolve(folder_, examFolder));
        const std::string caseName =
            trimmedRight(exams_->text(exam_.tableName), kBlank) + layout::kCaseStudySuffix;
        xbase::Status opened = caseStudies_.open(engine_, examFolderOnDisk, caseName);
        if (opened) {
            caseTableOpen_ = true;
        } else {
            engine_.takeErrorCode();
            lastError_ = opened.message();
        }
    }
    return 0;
}

void TTesting::CloseTest() {
    if (open_) {
        questions_.reset();
        answers_.reset();
        open_ = false;
        if (exams_) exams_->selectRecordOrder();
        openId_.clear();
        openParent_.clear();
    }
    if (caseTableOpen_ || caseStudies_.isOpen()) {
        OnCaseStudyClosed();
        caseStudies_.close();
    }
    caseTableOpen_ = false;
    hasCaseStudies_ = false;
    question_ = QuestionFields();
    answer_ = AnswerFields();
}

std::string TTesting::ExamFolderPath() const {
    return BankPath::asFolder(BankPath::resolve(folder_, examFolder_));
}

// ---- the cursor ------------------------------------------------------------

void TTesting::readCurrentQuestion() {
    xbase::Table& t = *questions_;
    TestQuestionInfo info;
    info.NUM = static_cast<int>(t.asLong(question_.num));
    info.ID = static_cast<int>(t.asLong(question_.id));
    info.TYPE = static_cast<int>(t.asLong(question_.type));
    info.TITLE = t.memo(question_.title);
    info.QUESTION = t.memo(question_.question);
    info.NUMANSWER = static_cast<int>(t.asLong(question_.numAnswer));
    info.ANSWER = t.text(question_.answer);
    info.Hint = t.memo(question_.hint);
    info.REF = t.memo(question_.ref);
    info.GRAPHIC = t.memo(question_.graphic);
    info.CaseID = hasCaseStudies_ ? static_cast<int>(t.asLong(question_.caseId)) : 0;
    questionInfo_ = std::move(info);
}

void TTesting::fireQuestion() {
    const TestQuestionInfo& q = questionInfo_;
    OnQuestion(q.NUM, q.ID, q.TYPE, q.TITLE, q.QUESTION, q.NUMANSWER, q.ANSWER, q.Hint, q.REF,
               q.GRAPHIC, q.CaseID);
}

bool TTesting::seekQuestionNumber(int number) {
    if (!open_ || !questions_->selectTag(question_.numTag)) return false;
    return questions_->seek(static_cast<double>(number));
}

bool TTesting::locateCurrentQuestion() {
    if (!open_) return false;
    if (questions_->recno() != 0 && !questions_->eof() &&
        questions_->asLong(question_.id) == questionInfo_.ID && questionInfo_.ID != 0)
        return true;
    if (questionInfo_.ID == 0 || !questions_->selectTag(question_.idTag)) return false;
    return questions_->seek(static_cast<double>(questionInfo_.ID));
}

int TTesting::GoToTestQuestion(int number) {
    if (!open_) return fail("no exam is open");
    if (number < 1 || number > openInfo_.NUMTESTQ || !seekQuestionNumber(number))
        return fail("exam " + trimmedRight(openId_, kBlank) + " has no question " +
                    std::to_string(number));
    readCurrentQuestion();
    fireQuestion();
    return 0;
}

int TTesting::GoToTestQuestionId(int id) {
    if (!open_) return fail("no exam is open");
    if (!questions_->selectTag(question_.idTag) || !questions_->seek(static_cast<double>(id)))
        return fail("exam " + trimmedRight(openId_, kBlank) + " has no question with identifier " +
                    std::to_string(id));
    readCurrentQuestion();
    fireQuestion();
    return 0;
}

int TTesting::GetCurrentId() const {
    if (!open_ || questions_->recno() == 0 || questions_->eof()) return 0;
    return static_cast<int>(questions_->asLong(question_.id));
}

std::string TTesting::GetAnswerKey() const { return trimmedRight(questionInfo_.ANSWER, kBlank); }

bool TTesting::seekAnswerRow(int questionId, int index) {
    if (!open_ || !answers_->selectTag(answer_.idTag)) return false;
    if (!answers_->seek(static_cast<double>(questionId))) return false;
    do {
        if (answers_->asLong(answer_.id) != questionId) return false;
        if (answers_->asLong(answer_.index) == index) return true;
    } while (answers_->skip(1));
    return false;
}

std::string TTesting::GetAnswerText(int index) {
    if (!open_) return {};
    if (questionInfo_.TYPE == kTrueFalse) return index == 1 ? "TRUE" : "FALSE";
    return seekAnswerRow(questionInfo_.ID, index) ? answers_->memo(answer_.answer) : std::string();
}

std::string TTesting::GetTestQuestionXtra(int questionId, int index) {
    if (!examRecordCurrent()) return {};
    return seekAnswerRow(questionId, index) ? answers_->memo(answer_.answer) : std::string();
}

bool TTesting::GoToAnswerRow(int index) { return seekAnswerRow(questionInfo_.ID, index); }

xbase::Result<std::string> TTesting::GetGraphicData() {
    if (!open_) return xbase::Status::error("no exam is open");
    if (questions_->recno() == 0 || questions_->eof()) return std::string();
    const std::string what = "exam " + trimmedRight(openId_, kBlank) + ", question " +
                             std::to_string(questions_->asLong(question_.num)) + ", GRAPHICDT";
    return ByteMemo::decode(questions_->memo(question_.graphicDt), what);
}

xbase::Result<std::string> TTesting::GetDefaultGraphicDT() {
    if (!locateOpenExamRecord()) return xbase::Status::error("no exam is open");
    return ByteMemo::decode(exams_->memo(exam_.graphicDt),
                            "exam " + trimmedRight(openId_, kBlank) + ", GRAPHICDT");
}

xbase::Result<std::string> TTesting::ExtractQuestionGraphic() {
    if (!open_) return xbase::Status::error("no exam is open");
    const std::string what =
        "exam " + trimmedRight(openId_, kBlank) + ", question " + std::to_string(questionInfo_.NUM);
    return extractStoredFile(questionInfo_.GRAPHIC, what, [this]() -> xbase::Result<std::string> {
        if (!locateCurrentQuestion())
            return xbase::Status::error("the current question is not in its table");
        return GetGraphicData();
    });
}

xbase::Result<std::string> TTesting::ExtractDefaultGraphic() {
    if (!open_) return xbase::Status::error("no exam is open");
    return extractStoredFile(openInfo_.GRAPHIC, "exam " + trimmedRight(openId_, kBlank),
                             [this] { return GetDefaultGraphicDT(); });
}

xbase::Result<std::string> TTesting::extractStoredFile(
    const std::string& fileName, const std::string& what,
    const std::function<xbase::Result<std::string>()>& storedBytes) {
    const std::string name = trimmed(fileName, kBlank);
    const std::string folder = ExamFolderPath();
    // The name is checked before anything is read or written.
    xbase::Result<std::string> target = ExamFolderFile::pathFor(folder, name);
    if (!target) return target.status().withContext(what);
    if (std::optional<std::string> present = BankPath::findFile(folder, name)) return *present;
    xbase::Result<std::string> bytes = storedBytes();
    if (!bytes) return bytes;
    if (bytes.value().empty())
        return xbase::Status::error(target.value() + ": missing, and " + what +
                                    " holds no stored copy");
    return ExamFolderFile::writeIfMissing(folder, name, bytes.value());
}

void TTesting::RandomizeTestQuestions(std::vector<int>& list, int n) {
    list.clear();
    const int count = open_ ? std::max(openInfo_.NUMTESTQ, 0) : 0;
    n = std::clamp(n, 0, count);
    std::vector<int> pool(static_cast<size_t>(count));
    std::iota(pool.begin(), pool.end(), 1);
    std::mt19937 random(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    list.reserve(static_cast<size_t>(n));
    for (int drawn = 0; drawn < n && !pool.empty(); ++drawn) {
        std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
        const size_t at = pick(random);
        list.push_back(pool[at]);
        pool[at] = pool.back();
        pool.pop_back();
    }
}

}  // namespace zentrix::questionbank
