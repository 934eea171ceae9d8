#pragma once

// One exam as authors write it in an exam source file (".exam"), with its
// course, the exam's catalogue fields and its questions. The parser fills it
// from text, the writer turns it back into text, the importer stores it in a
// bank and the exporter reads it from one. Pictures and simulation files are
// named here; their bytes live in files beside the source.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zentrix::banktool {

struct CourseSource {
    std::string id;
    std::string title;
    std::string description;
    std::string time;  // "h:mm", at most 5 characters
    int mixedQuestions = 0;
};

struct QuestionSource {
    int line = 0;        // of its [[question]] header, for messages
    std::string origin;  // where a question read from another format stands, e.g. "quiz.gift:12"
    std::optional<int> id;
    int type = 1;
    std::string title;
    std::string text;
    std::vector<std::string> rows;  // choices, or the steps of a simulation
    int answerRows = 0;             // NUMANSWER
    std::string key;                // the stored answer key
    std::string hint;
    std::string reference;
    std::string file;  // picture or simulation file, beside the source
    int fileLine = 0;
    bool fileStored = true;  // false: the bank keeps the name only
    int caseId = 0;
};

struct ExamSource {
    CourseSource course;
    std::string id;
    std::string folder;  // below the bank folder, ends with '/' or is empty
    std::string table;
    std::string title;
    std::string description;
    std::string picture;
    int pictureLine = 0;
    bool pictureStored = true;
    std::optional<int> nextId;
    std::vector<QuestionSource> questions;
};

// An exam with the bytes of the files it names, as it goes into a bank or
// comes out of one.
struct ExamWithFiles {
    std::string source;  // the file it was read from, for messages
    ExamSource exam;
    std::map<std::string, std::string> files;  // name as the exam writes it -> bytes
};

}  // namespace zentrix::banktool
