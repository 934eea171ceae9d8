#pragma once

// What a running attempt needs of the question bank: one exam open at a
// time, the question cursor that reports the question it lands on, the
// current question's choices and key, the course record of a mixed exam, and
// the stored picture or simulation file of a question. TTesting serves it in
// the program (engine/ttesting_exam_bank.h); tests serve it from memory.
//
// Codes follow TTesting: 0 for success, -1 for failure, LastError() says why.

#include <string>

#include "questionbank/bank_records.h"
#include "questionbank/callback.h"
#include "questionbank/case_study_table.h"
#include "xbase/status.h"

namespace zentrix::engine {

// The handler of the bank's OnQuestion event: called by every successful
// cursor move while it is registered.
class QuestionListener {
public:
    virtual ~QuestionListener() = default;
    virtual void OnQuestion(const questionbank::TestQuestionInfo& question) = 0;
};

class AttemptBank {
public:
    virtual ~AttemptBank() = default;

    virtual int OpenTest(const std::string& id) = 0;
    // Opens the exam's alternative question set when `preferAlternative` and
    // one exists (usedRegular 0), its regular tables otherwise (1).
    virtual int OpenPrePostTest(const std::string& id, bool preferAlternative,
                                int& usedRegular) = 0;
    virtual void CloseTest() = 0;
    virtual bool IsOpen() const = 0;
    virtual std::string GetOpenTitle() const = 0;
    virtual int QuestionCount() const = 0;
    virtual std::string LastError() const = 0;

    // Registers the OnQuestion handler; null unregisters it. Moves made while
    // none is registered show nothing.
    virtual void SetQuestionListener(QuestionListener* listener) = 0;
    // Moves the cursor to question `number` (NUM) of the open exam and fires
    // OnQuestion; -1 when there is no such question (the cache is kept).
    virtual int GoToTestQuestion(int number) = 0;
    // The question the cursor stands on (empty before the first move).
    virtual const questionbank::TestQuestionInfo& CurrentQuestion() const = 0;
    // The current question's key, blanks on the right removed.
    virtual std::string GetAnswerKey() const = 0;
    // Choice or step `index` (from 1) of the current question; "TRUE" and
    // "FALSE" for a true/false question.
    virtual std::string GetAnswerText(int index) = 0;

    // Fills `info` for the course `info.Id`; sets Id to "bad" when unknown.
    virtual void GetParentInfo(questionbank::ParentInfoStruct& info) = 0;

    virtual bool HasCaseStudies() const = 0;
    // The case study `number` of the open exam; fails when the exam has no
    // case-study table or no such case.
    virtual xbase::Result<questionbank::CaseStudy> FindCaseStudy(long number) = 0;
    // Called whenever closing the exam closes its case-study table, so a
    // window showing one of its cases can clear itself; an empty handler
    // unregisters.
    virtual void SetCaseStudyClosedHandler(questionbank::Callback<> handler) = 0;
    // Writes the current question's GRAPHIC file into the exam's folder from
    // its stored copy when it is not there yet; gives its path.
    virtual xbase::Result<std::string> ExtractQuestionGraphic() = 0;
};

}  // namespace zentrix::engine
