#pragma once

// TTesting: the one class through which the engine and the setup program read
// and write the question bank in a database folder.
//
// It owns the course table (ptest) and the exam table (gtest), and while an
// exam is open that exam's question and answer tables (and its case-study
// table when it has one). It shows no windows: the old-database message and
// the report of a table that exists but cannot be opened go to the message
// sink given at construction, and its events are function-plus-context
// callbacks that the listener sets around the operations that fire them.
//
// Codes: 0 for success, -1 for failure; texts are empty when nothing is found.
// LastError() says why the most recent operation failed.
//
// Writers act only while an exam is open and the exam table stands on that
// exam's record (lookups such as GetGTest_Title move it); otherwise they do
// nothing and give -1.
//
// The engine and the sink must outlive the object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "questionbank/bank_records.h"
#include "questionbank/callback.h"
#include "questionbank/case_study_table.h"
#include "xbase/engine.h"
#include "xbase/status.h"
#include "xbase/table.h"

namespace zentrix::questionbank {

class TTesting {
public:
    // Opens ptest.dbf and gtest.dbf in `databaseFolder`, creating them when
    // missing. A table that exists but cannot be opened is reported and left
    // alone; the object then stays invalid.
    TTesting(xbase::Engine& engine, const std::string& databaseFolder, base::MessageSink& sink);
    ~TTesting();
    TTesting(const TTesting&) = delete;
    TTesting& operator=(const TTesting&) = delete;

    bool IsValid() const { return valid_; }
    const std::string& DatabaseFolder() const { return folder_; }
    const std::string& LastError() const { return lastError_; }

    // ---- events ----------------------------------------------------------
    Callback<> OnSelectBegin;
    // CourseId, TestId, title, NodeKind, pPS, gPS, qPS, QuestionNo, RowIndex
    Callback<const std::string&, const std::string&, const std::string&, unsigned char,
             unsigned char, unsigned char, unsigned char, int, int>
        OnSelectItem;
    Callback<> OnSelectEnd;
    // Also the begin and end of ListTestTitlesWParent.
    Callback<> OnTitleBegin;
    Callback<const std::string&, int> OnTitle;  // title, question number
    Callback<> OnTitleEnd;
    // NUM, ID, TYPE, TITLE, QUESTION, NUMANSWER, ANSWER, Hint, REF, GRAPHIC, CaseID
    Callback<int, int, int, const std::string&, const std::string&, int, const std::string&,
             const std::string&, const std::string&, const std::string&, int>
        OnQuestion;
    // title, number, identifier as stored, question text, record counter
    Callback<const std::string&, int, const std::string&, const std::string&, int> OnRawRecord;
    // ListTestTitlesWParent: TITLE, PRODID, PARENT of every exam record.
    Callback<const std::string&, const std::string&, const std::string&> OnTestTitleWParent;
    // Fired when CloseTest closes the case-study table, so a case-study window
    // showing it can clear itself.
    Callback<> OnCaseStudyClosed;

    // ---- catalogue ---------------------------------------------------------
    void ListQVSelectTitles(bool mixedRows, bool questionRows);
    // Status of the i-th (from 1) of n siblings, for the tree's lines.
    static unsigned char TreeLinkState(bool topLevel, int i, int n);
    // The status the descendants of a row carry in that row's column.
    static unsigned char DerivedLinkState(unsigned char state);

    int GetParentIdCount() const { return static_cast<int>(parentIds_.size()); }
    std::string GetParentId(int i) const;  // 1-based
    // 1: courses; 2: exams of course `id`; 3: questions of exam `id`.
    int CountRecords(int kind, const std::string& id = std::string());

    bool ParentExists(const std::string& id);
    std::string GetParentTitle(const std::string& id);
    std::string GetParentDescription(const std::string& id);
    std::string GetParent_TestTime(const std::string& id);
    int GetParentNum(const std::string& id);
    void GetParentInfo(ParentInfoStruct& info);
    void SetParentInfo(ParentInfoStruct& info, const std::string& id);
    int SetParentTitle(const std::string& id, const std::string& title);
    int AddParent(const std::string& id, const std::string& title, const std::string& descrip,
                  const std::string& time, int numQ);

    bool TestExists(const std::string& prodId);
    std::string GetGTest_Title(const std::string& prodId);
    std::string GetTestDescription(const std::string& prodId);
    int AddTest(const std::string& prodId, const std::string& parentId, const std::string& path,
                const std::string& tableName, const std::string& title);
    // AddTest for an exam whose question and answer tables are already in
    // place (copied there by an import or the setup program): adds only the
    // catalogue record, after checking that both tables open.
    int AdoptTest(const std::string& prodId, const std::string& parentId, const std::string& path,
                  const std::string& tableName, const std::string& title);
    // Removes an exam's record from the catalogue (its tables stay on disk)
    // and lowers its course's NUM. Closes it first when it is open.
    int RemoveTest(const std::string& prodId);
    int ChangeParentIds(const std::string& oldId, const std::string& newId);
    int ChangeGlobalCrap(int numTestQ, int nextId);
    int PackDatabases();
    void ListTestTitlesWParent();

    // ---- the open exam -----------------------------------------------------
    int OpenTest(const std::string& id);
    int OpenPrePostTest(const std::string& id, bool preferAlternative, int& usedRegular);
    void CloseTest();

    bool IsOpen() const { return open_; }
    bool HasCaseStudies() const { return hasCaseStudies_; }
    bool CaseTableOpen() const { return caseTableOpen_; }
    CaseStudyTable& CaseStudies() { return caseStudies_; }
    int QuestionCount() const { return openInfo_.NUMTESTQ; }
    // The open exam's folder (PATH, right-trimmed) and that folder on disk.
    const std::string& ExamFolder() const { return examFolder_; }
    std::string ExamFolderPath() const;
    const OpenTestInfo& OpenInfo() const { return openInfo_; }
    const TestQuestionInfo& QuestionInfo() const { return questionInfo_; }

    int GoToTestQuestion(int number);
    int GoToTestQuestionId(int id);
    int GetCurrentId() const;
    std::string GetTestQuestionTitle() const { return questionInfo_.TITLE; }
    std::string GetOpenTitle() const { return openInfo_.TITLE; }
    std::string GetAnswerKey() const;
    std::string GetAnswerText(int index);
    std::string GetTestQuestionXtra(int questionId, int index);
    // The current question's stored file; empty when none is stored.
    xbase::Result<std::string> GetGraphicData();
    std::string GetDescription() const { return openInfo_.DESCRIP; }
    std::string GetDefaultGraphic() const { return openInfo_.GRAPHIC; }
    xbase::Result<std::string> GetDefaultGraphicDT();
    // Writes the current question's file (GRAPHIC) into the exam's folder
    // from its stored copy when it is not there yet; gives its path.
    xbase::Result<std::string> ExtractQuestionGraphic();
    // The same for the exam's default picture.
    xbase::Result<std::string> ExtractDefaultGraphic();
    // Fills `list` with n distinct question numbers in random order (n is
    // kept within 0..question count).
    void RandomizeTestQuestions(std::vector<int>& list, int n);

    // ---- authoring ---------------------------------------------------------
    int NewTestQuestion();
    int AddTestQuestion(int num, int type, const std::string& title, const std::string& question,
                        int numAnswer, const std::string& answer, const std::string& hint,
                        const std::string& ref, const std::string& graphic, int caseId);
    int ChangeCurrentTestQuestionInfo(int num, int type, const std::string& title,
                                      const std::string& question, int numAnswer,
                                      const std::string& answer, const std::string& hint,
                                      const std::string& ref, const std::string& graphic,
                                      int caseId);
    // Stores `bytes` as the current question's GRAPHICDT (byte-memo form).
    int SetGraphicData(const std::string& bytes);
    int ChangeQuestionNumber(int from, int to);
    int DeleteTestQuestion(int number);

    int SetTestQuestionXtra(int questionId, int index, const std::string& text);
    int SetTestQuestionXtraIndex(int questionId, int index, int newIndex);
    int ChangeStepNumber(int from, int to);
    int DeleteTestQuestionXtra(int index);
    bool GoToAnswerRow(int index);

    int SetOpenTitle(const std::string& title);
    int SetOpenPath(const std::string& path);
    int SetOpenId(const std::string& id);
    int SetDescription(const std::string& descrip);
    int SetDefaultGraphic(const std::string& name);
    int SetDefaultGraphicDT(const std::string& bytes);

    void ListTestTitles();
    void RawRecordDump();
    int DeleteRecords(unsigned first, unsigned last);

private:
    struct CourseFields {
        const xbase::Field *id = nullptr, *title = nullptr, *descrip = nullptr, *num = nullptr,
                           *time = nullptr, *numQ = nullptr;
        const xbase::Tag* idTag = nullptr;
    };
    struct ExamFields {
        const xbase::Field *prodId = nullptr, *path = nullptr, *tableName = nullptr,
                           *title = nullptr, *numTestQ = nullptr, *nextId = nullptr,
                           *graphic = nullptr, *graphicDt = nullptr, *descrip = nullptr,
                           *parent = nullptr;
        const xbase::Tag *prodIdTag = nullptr, *parentTag = nullptr;
    };
    struct QuestionFields {
        const xbase::Field *num = nullptr, *id = nullptr, *type = nullptr, *title = nullptr,
                           *question = nullptr, *numAnswer = nullptr, *answer = nullptr,
                           *hint = nullptr, *ref = nullptr, *graphic = nullptr,
                           *graphicDt = nullptr, *caseId = nullptr;
        const xbase::Tag *numTag = nullptr, *idTag = nullptr;
    };
    struct AnswerFields {
        const xbase::Field *id = nullptr, *index = nullptr, *answer = nullptr;
        const xbase::Tag* idTag = nullptr;
    };
    struct ExamEntry {
        std::string prodId;
        std::string title;
    };

    std::unique_ptr<xbase::Table> openOrCreate(const std::string& fileName,
                                               const std::vector<xbase::FieldSpec>& fields,
                                               const std::vector<xbase::TagSpec>& tags);
    void bindCatalogue();
    void LoadParentIds();
    int addExamRecord(const std::string& prodId, const std::string& parentId,
                      const std::string& path, const std::string& tableName,
                      const std::string& title, bool createTables);
    bool seekCourse(const std::string& id);
    bool seekExam(const std::string& prodId);
    std::vector<ExamEntry> examsOfCourse(const std::string& courseId);
    int openExam(const std::string& id, bool preferAlternative, int& usedRegular);
    bool examRecordCurrent() const;
    xbase::Status assignQuestionFields(int num, int type, const std::string& title,
                                       const std::string& question, int numAnswer,
                                       const std::string& answer, const std::string& hint,
                                       const std::string& ref, const std::string& graphic,
                                       int caseId);
    // The NUM a new question gets: above the exam record's NUMTESTQ and above
    // every NUM in the question table.
    int nextQuestionNumber();
    // 0, or -1 with the reason when the key does not fit the ANSWER field.
    int checkAnswerKey(const std::string& answer);
    // Writes one memo of the open exam's record and commits it (0 or -1).
    int storeOpenExamMemo(const xbase::Field* field, const std::string& value);
    int fail(const std::string& message);
    int failStatus(const xbase::Status& status);
    void readCurrentQuestion();
    void fireQuestion();
    bool seekQuestionNumber(int number);
    // Puts the question table on the cached current question.
    bool locateCurrentQuestion();
    // Puts the exam table back on the open exam's record.
    bool locateOpenExamRecord();
    int countQuestionsOf(const std::string& prodId);
    xbase::Result<std::string> extractStoredFile(
        const std::string& fileName, const std::string& what,
        const std::function<xbase::Result<std::string>()>& storedBytes);
    // Finds the answer row (questionId, index) and leaves the answer table on it.
    bool seekAnswerRow(int questionId, int index);
    int writeExamCounts(int numTestQ, int nextId);

    xbase::Engine& engine_;
    base::MessageSink& sink_;
    std::string folder_;
    std::string lastError_;
    bool valid_ = false;

    std::unique_ptr<xbase::Table> courses_;
    std::unique_ptr<xbase::Table> exams_;
    CourseFields course_;
    ExamFields exam_;
    std::vector<std::string> parentIds_;

    std::unique_ptr<xbase::Table> questions_;
    std::unique_ptr<xbase::Table> answers_;
    QuestionFields question_;
    AnswerFields answer_;
    CaseStudyTable caseStudies_;
    bool open_ = false;
    bool hasCaseStudies_ = false;
    bool caseTableOpen_ = false;
    std::string examFolder_;
    std::string openId_;      // exactly as passed to the open operation
    std::string openParent_;  // trimmed PARENT
    OpenTestInfo openInfo_;
    TestQuestionInfo questionInfo_;
};

}  // namespace zentrix::questionbank
