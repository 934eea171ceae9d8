// TTesting: adding, changing, renumbering and deleting questions and answer
// rows of the open exam, and the open exam's catalogue fields.

#include <algorithm>

#include "base/ascii_text.h"
#include "questionbank/bank_layout.h"
#include "questionbank/bank_path.h"
#include "questionbank/byte_memo.h"
#include "questionbank/ttesting.h"

namespace zentrix::questionbank {

namespace {

// Table fields are blank-padded; only the blanks are padding.
using base::ascii::kBlank;
using base::ascii::trimmedRight;

constexpr const char* kNotCurrent = "no exam is open, or its catalogue record is not current";

}  // namespace

// ---- questions ---------------------------------------------------------------

int TTesting::nextQuestionNumber() {
    // The count cached at open leaves out questions without title and text;
    // the exam record's NUMTESTQ counts them, and no NUM in the table may be
    // handed out twice.
    int highest = static_cast<int>(exams_->asLong(exam_.numTestQ));
    if (questions_->selectTag(question_.numTag) && questions_->bottom())
        highest = std::max(highest, static_cast<int>(questions_->asLong(question_.num)));
    return highest + 1;
}

int TTesting::checkAnswerKey(const std::string& answer) {
    if (static_cast<int>(trimmedRight(answer, kBlank).size()) <= layout::kAnswerKeyWidth) return 0;
    return fail("answer key \"" + answer + "\" is longer than " +
                std::to_string(layout::kAnswerKeyWidth) + " characters");
}

int TTesting::NewTestQuestion() {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    const int id = openInfo_.NEXTID;
    const int count = nextQuestionNumber();
    xbase::Status status = questions_->appendBlank();
    if (status) status = questions_->assignLong(question_.id, id);
    if (status) status = questions_->assignLong(question_.num, count);
    if (status) status = questions_->assignLong(question_.type, kSingleChoice);
    if (status) status = questions_->assignLong(question_.numAnswer, 1);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    if (writeExamCounts(count, id + 1) != 0) return -1;
    return GoToTestQuestion(count);
}

// The ten fields an author gives a question, on the current question record
// (CaseID only where the exam has case studies). Not committed.
xbase::Status TTesting::assignQuestionFields(int num, int type, const std::string& title,
                                             const std::string& question, int numAnswer,
                                             const std::string& answer, const std::string& hint,
                                             const std::string& ref, const std::string& graphic,
                                             int caseId) {
    xbase::Status status = questions_->assignLong(question_.num, num);
    if (status) status = questions_->assignLong(question_.type, type);
    if (status) status = questions_->assignMemo(question_.title, title);
    if (status) status = questions_->assignMemo(question_.question, question);
    if (status) status = questions_->assignLong(question_.numAnswer, numAnswer);
    if (status) status = questions_->assign(question_.answer, answer);
    if (status) status = questions_->assignMemo(question_.hint, hint);
    if (status) status = questions_->assignMemo(question_.ref, ref);
    if (status) status = questions_->assignMemo(question_.graphic, graphic);
    if (status && hasCaseStudies_) status = questions_->assignLong(question_.caseId, caseId);
    return status;
}

int TTesting::AddTestQuestion(int num, int type, const std::string& title,
                              const std::string& question, int numAnswer, const std::string& answer,
                              const std::string& hint, const std::string& ref,
                              const std::string& graphic, int caseId) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (checkAnswerKey(answer) != 0) return -1;
    if (seekQuestionNumber(num))
        return fail("exam " + trimmedRight(openId_, kBlank) + " already has a question " +
                    std::to_string(num));
    const int numTestQ = static_cast<int>(exams_->asLong(exam_.numTestQ)) + 1;
    const int id = openInfo_.NEXTID;
    // A failed group is discarded by the table: no half-filled question stays.
    xbase::Status status = questions_->appendBlank();
    if (status) status = questions_->assignLong(question_.id, id);
    if (status)
        status = assignQuestionFields(num, type, title, question, numAnswer, answer, hint, ref,
                                      graphic, caseId);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    if (writeExamCounts(numTestQ, id + 1) != 0) return -1;
    if (GoToTestQuestionId(id) != 0) return -1;
    return id;
}

int TTesting::ChangeCurrentTestQuestionInfo(int num, int type, const std::string& title,
                                            const std::string& question, int numAnswer,
                                            const std::string& answer, const std::string& hint,
                                            const std::string& ref, const std::string& graphic,
                                            int caseId) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (checkAnswerKey(answer) != 0) return -1;
    if (!locateCurrentQuestion()) return fail("there is no current question");
    xbase::Status status = assignQuestionFields(num, type, title, question, numAnswer, answer, hint,
                                                ref, graphic, caseId);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    readCurrentQuestion();
    return 0;
}

int TTesting::SetGraphicData(const std::string& bytes) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (!locateCurrentQuestion()) return fail("there is no current question");
    const std::string memo = ByteMemo::encode(bytes);
    xbase::Status status =
        questions_->assignMemoBytes(question_.graphicDt, memo.data(), memo.size());
    if (status) status = questions_->commit();
    return status ? 0 : failStatus(status);
}

int TTesting::ChangeQuestionNumber(int from, int to) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (from == to) return 0;
    if (to < 1 || to > openInfo_.NUMTESTQ)
        return fail("question number " + std::to_string(to) + " is out of range");
    if (!seekQuestionNumber(from)) return fail("there is no question " + std::to_string(from));
    const long movingId = questions_->asLong(question_.id);
    xbase::Status status = questions_->assignLong(question_.num, 0);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);

    // Close the gap: the questions between shift by one towards `from`.
    const int step = to < from ? -1 : 1;
    for (int k = from + step; status && k != to + step; k += step) {
        if (!seekQuestionNumber(k)) continue;
        status = questions_->assignLong(question_.num, k - step);
        if (status) status = questions_->commit();
    }
    if (!status) return failStatus(status);
    if (!questions_->selectTag(question_.idTag) || !questions_->seek(static_cast<double>(movingId)))
        return fail("the moved question " + std::to_string(movingId) + " was lost from tag ID");
    status = questions_->assignLong(question_.num, to);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    return GoToTestQuestion(to);
}

int TTesting::DeleteTestQuestion(int number) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    const int count = openInfo_.NUMTESTQ;
    if (count <= 1) return 0;
    if (number < 1 || number > count || !seekQuestionNumber(number))
        return fail("there is no question " + std::to_string(number));
    xbase::Status status = questions_->markDeleted();
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    if (writeExamCounts(count - 1, openInfo_.NEXTID) != 0) return -1;
    if (number == count) return GoToTestQuestion(count - 1);
    for (int k = number + 1; k <= count; ++k) {
        if (!seekQuestionNumber(k)) continue;
        status = questions_->assignLong(question_.num, k - 1);
        if (status) status = questions_->commit();
        if (!status) return failStatus(status);
    }
    return GoToTestQuestion(number);
}

// ---- answer rows -------------------------------------------------------------

int TTesting::SetTestQuestionXtra(int questionId, int index, const std::string& text) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    xbase::Status status;
    if (seekAnswerRow(questionId, index)) {
        status = answers_->assignMemo(answer_.answer, text);
    } else {
        status = answers_->appendBlank();
        if (status) status = answers_->assignLong(answer_.id, questionId);
        if (status) status = answers_->assignLong(answer_.index, index);
        if (status) status = answers_->assignMemo(answer_.answer, text);
    }
    if (status) status = answers_->commit();
    return status ? 0 : failStatus(status);
}

int TTesting::SetTestQuestionXtraIndex(int questionId, int index, int newIndex) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (!seekAnswerRow(questionId, index))
        return fail("question " + std::to_string(questionId) + " has no answer row " +
                    std::to_string(index));
    xbase::Status status = answers_->assignLong(answer_.index, newIndex);
    if (status) status = answers_->commit();
    return status ? 0 : failStatus(status);
}

int TTesting::ChangeStepNumber(int from, int to) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (from == to) return 0;
    const int id = questionInfo_.ID;
    if (to < 1 || to > questionInfo_.NUMANSWER)
        return fail("answer row " + std::to_string(to) + " is out of range");
    if (!seekAnswerRow(id, from)) return fail("there is no answer row " + std::to_string(from));
    xbase::Status status = answers_->assignLong(answer_.index, 0);
    if (status) status = answers_->commit();
    const int step = to < from ? -1 : 1;
    for (int k = from + step; status && k != to + step; k += step) {
        if (!seekAnswerRow(id, k)) continue;
        status = answers_->assignLong(answer_.index, k - step);
        if (status) status = answers_->commit();
    }
    if (status && seekAnswerRow(id, 0)) {
        status = answers_->assignLong(answer_.index, to);
        if (status) status = answers_->commit();
    }
    return status ? 0 : failStatus(status);
}

int TTesting::DeleteTestQuestionXtra(int index) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    const int count = questionInfo_.NUMANSWER;
    const int id = questionInfo_.ID;
    if (count <= 1) return 0;
    if (!seekAnswerRow(id, index)) return fail("there is no answer row " + std::to_string(index));
    xbase::Status status = answers_->markDeleted();
    if (status) status = answers_->commit();
    if (!status) return failStatus(status);
    if (!locateCurrentQuestion()) return fail("there is no current question");
    status = questions_->assignLong(question_.numAnswer, count - 1);
    if (status) status = questions_->commit();
    if (!status) return failStatus(status);
    questionInfo_.NUMANSWER = count - 1;
    for (int k = index + 1; k <= count; ++k) {
        if (!seekAnswerRow(id, k)) continue;
        status = answers_->assignLong(answer_.index, k - 1);
        if (status) status = answers_->commit();
        if (!status) return failStatus(status);
    }
    return 0;
}

// ---- the open exam's catalogue fields ------------------------------------------

int TTesting::storeOpenExamMemo(const xbase::Field* field, const std::string& value) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    xbase::Status status = exams_->assignMemo(field, value);
    if (status) status = exams_->commit();
    return status ? 0 : failStatus(status);
}

int TTesting::SetOpenTitle(const std::string& title) {
    if (const int result = storeOpenExamMemo(exam_.title, title); result != 0) return result;
    openInfo_.TITLE = title;
    return 0;
}

int TTesting::SetOpenPath(const std::string& path) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    if (xbase::Status inside = BankPath::checkExamLocation(path, openInfo_.TABLENAME); !inside)
        return fail("exam " + trimmedRight(openId_, kBlank) + ": " + inside.message());
    if (const int result = storeOpenExamMemo(exam_.path, path); result != 0) return result;
    openInfo_.PATH = trimmedRight(path, kBlank);
    return 0;
}

int TTesting::SetOpenId(const std::string& id) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    xbase::Status status = exams_->assign(exam_.prodId, id);
    if (status) status = exams_->commit();
    if (!status) return failStatus(status);
    openInfo_.PRODID = exams_->text(exam_.prodId);
    // The kept identifier follows, or every later write would find the exam
    // record "not current".
    openId_ = id;
    return 0;
}

int TTesting::SetDescription(const std::string& descrip) {
    if (const int result = storeOpenExamMemo(exam_.descrip, descrip); result != 0) return result;
    openInfo_.DESCRIP = descrip;
    return 0;
}

int TTesting::SetDefaultGraphic(const std::string& name) {
    if (const int result = storeOpenExamMemo(exam_.graphic, name); result != 0) return result;
    openInfo_.GRAPHIC = name;
    return 0;
}

int TTesting::SetDefaultGraphicDT(const std::string& bytes) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    const std::string memo = ByteMemo::encode(bytes);
    xbase::Status status = exams_->assignMemoBytes(exam_.graphicDt, memo.data(), memo.size());
    if (status) status = exams_->commit();
    return status ? 0 : failStatus(status);
}

// ---- whole-table operations ------------------------------------------------------

void TTesting::ListTestTitles() {
    OnTitleBegin();
    if (open_) {
        for (bool on = questions_->top(); on; on = questions_->skip(1)) {
            if (questions_->deleted()) continue;
            OnTitle(questions_->memo(question_.title),
                    static_cast<int>(questions_->asLong(question_.num)));
        }
    }
    OnTitleEnd();
}

void TTesting::RawRecordDump() {
    if (!open_) return;
    questions_->selectRecordOrder();
    // The counter is the record number, the numbering DeleteRecords takes:
    // deleted records are not listed but keep their numbers.
    for (bool on = questions_->top(); on; on = questions_->skip(1)) {
        if (questions_->deleted()) continue;
        OnRawRecord(questions_->memo(question_.title),
                    static_cast<int>(questions_->asLong(question_.num)),
                    questions_->text(question_.id), questions_->memo(question_.question),
                    static_cast<int>(questions_->recno()));
    }
}

int TTesting::DeleteRecords(unsigned first, unsigned last) {
    if (!examRecordCurrent()) return fail(kNotCurrent);
    const unsigned records = questions_->recordCount();
    if (first < 1 || first > last || first > records)
        return fail("records " + std::to_string(first) + " to " + std::to_string(last) +
                    " are not in the table");
    last = std::min(last, records);
    xbase::Status status = questions_->zap(first, last);
    if (status) status = questions_->compressMemo();
    if (!status) return failStatus(status);
    questions_->top();
    return 0;
}

}  // namespace zentrix::questionbank
