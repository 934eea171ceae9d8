#pragma once

// The records the question bank hands out: a course, the open exam and the
// current question, each with its fields in the order of the tables.

#include <string>

namespace zentrix::questionbank {

// A course as exchanged with GetParentInfo / SetParentInfo.
struct ParentInfoStruct {
    std::string Id;
    std::string Title;
    std::string Descrip;
    int Num = 0;
    std::string Time;  // blank-padded as stored
    int NumQ = 0;
};

// The exam record of the open exam.
struct OpenTestInfo {
    std::string PRODID;     // as stored, blank-padded
    std::string PATH;       // right-trimmed
    std::string TABLENAME;  // right-trimmed
    std::string TITLE;
    int NUMTESTQ = 0;  // question count
    int NEXTID = 0;
    std::string GRAPHIC;
    std::string DESCRIP;
    std::string PARENT;  // as stored
};

// The current question; also the argument order of OnQuestion.
struct TestQuestionInfo {
    int NUM = 0;
    int ID = 0;
    int TYPE = 0;
    std::string TITLE;
    std::string QUESTION;
    int NUMANSWER = 0;
    std::string ANSWER;  // as stored, blank-padded to 5
    std::string Hint;
    std::string REF;
    std::string GRAPHIC;
    int CaseID = 0;  // 0 when the exam has no case studies
};

// Node kinds of the catalogue rows.
enum NodeKind : unsigned char {
    kCourseRow = 0,  // also the blank separator between courses
    kExamRow = 1,
    kQuestionRow = 2,
    kMixedRow = 3,
};

// One catalogue row: the OnSelectItem arguments by name.
struct QVSimListInfo {
    std::string CourseId;
    std::string TestId;
    std::string Title;
    unsigned char NodeKind = 0;
    unsigned char pPS = 0;
    unsigned char gPS = 0;
    unsigned char qPS = 0;
    int QuestionNo = 0;
    int RowIndex = 0;
};

// The question types.
enum QuestionType : int {
    kTrueFalse = 0,
    kSingleChoice = 1,
    kSimulation = 3,
    kMultipleChoice = 5,
};

}  // namespace zentrix::questionbank
