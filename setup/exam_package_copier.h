#pragma once

// Copies the exams of one course from the medium's question bank into the
// installed one, both open on one engine handle. An exam the installed bank
// already lists (by PRODID) is never touched. An exam whose folder would
// lie outside the installed bank (an absolute path, a drive letter, "..")
// or whose tables would replace another exam's is refused with a message
// naming it, before anything of it is created or copied.
//
// From the exam's folder on the medium the copy takes the exam's own tables
// (replacing the empty ones the catalogue entry creates) and any file that
// is no table and that the installed folder does not hold yet (pictures kept
// beside the tables). It never copies another exam's tables (those come
// with their exam), nor the bank's catalogue or history tables, and never
// replaces a file of another exam.

#include <string>
#include <vector>

#include "questionbank/ttesting.h"
#include "setup/setup_session.h"

namespace zentrix::setup {

class ExamPackageCopier {
public:
    // The banks must outlive the copier.
    ExamPackageCopier(SetupSession& session, questionbank::TTesting& source,
                      questionbank::TTesting& installed)
        : session_(session), source_(source), installed_(installed) {}

    // Adds the course when the installed bank lacks it, then every exam of
    // it that is missing there. A course the medium's bank does not hold
    // adds nothing. Gives the number of exams copied.
    int installCourse(const std::string& courseId);

    // The exam identifiers of a course on the medium, in record order.
    std::vector<std::string> examsOfCourse(const std::string& courseId);

    // File names the copy treats specially (compared without regard to case).
    static bool isTableFile(const std::string& fileName);  // .dbf, .fpt, .cdx
    static bool isExamTable(const std::string& fileName, const std::string& tableName);

private:
    bool copyExam(const std::string& prodId, const std::string& courseId);
    bool copyExamFiles(const std::string& from, const std::string& to,
                       const std::string& tableName);
    void refuse(const std::string& prodId, const std::string& reason);

    SetupSession& session_;
    questionbank::TTesting& source_;
    questionbank::TTesting& installed_;
};

}  // namespace zentrix::setup
