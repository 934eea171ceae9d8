#pragma once

// File names and record layouts of the question bank, shared by the class
// that reads and writes the bank, the authors' tool and the tests. The
// layouts are written out in docs/formats/bank.md.

#include <string>
#include <vector>

#include "xbase/field.h"

namespace zentrix::questionbank::layout {

inline constexpr const char* kCourseTableFile = "ptest.dbf";
inline constexpr const char* kExamTableFile = "gtest.dbf";
inline constexpr const char* kAnswerTableSuffix = "X";
inline constexpr const char* kAlternativeSuffix = "Q";
inline constexpr const char* kCaseStudySuffix = "c";

// Every tag the bank creates hides deleted records.
inline constexpr const char* kLiveRecords = ".NOT. DELETED()";

// A question table with case studies has this many fields; without, one less.
inline constexpr int kQuestionFieldsWithCases = 12;

// Widths that limit what can be stored.
inline constexpr int kIdentifierWidth = 10;  // ID, PRODID, PARENT, TABLENAME
inline constexpr int kTimeWidth = 5;
inline constexpr int kAnswerKeyWidth = 5;

inline std::vector<xbase::FieldSpec> courseFields() {
    return {{"ID", 'C', 10, 0}, {"TITLE", 'M', 10, 0}, {"DESCRIP", 'M', 10, 0},
            {"NUM", 'N', 4, 0}, {"TIME", 'C', 5, 0},   {"NUMQ", 'N', 4, 0}};
}
inline std::vector<xbase::TagSpec> courseTags() { return {{"ID", "ID", kLiveRecords}}; }

inline std::vector<xbase::FieldSpec> examFields() {
    return {{"PRODID", 'C', 10, 0},  {"PATH", 'M', 10, 0},      {"TABLENAME", 'C', 10, 0},
            {"TITLE", 'M', 10, 0},   {"NUMTESTQ", 'N', 4, 0},   {"NEXTID", 'N', 4, 0},
            {"GRAPHIC", 'M', 10, 0}, {"GRAPHICDT", 'M', 10, 0}, {"DESCRIP", 'M', 10, 0},
            {"PARENT", 'C', 10, 0}};
}
inline std::vector<xbase::TagSpec> examTags() {
    return {{"PRODID", "PRODID", kLiveRecords}, {"PARENT", "PARENT", kLiveRecords}};
}

inline std::vector<xbase::FieldSpec> questionFields() {
    return {{"NUM", 'N', 4, 0},      {"ID", 'N', 4, 0},         {"TYPE", 'N', 2, 0},
            {"TITLE", 'M', 10, 0},   {"QUESTION", 'M', 10, 0},  {"NUMANSWER", 'N', 2, 0},
            {"ANSWER", 'C', 5, 0},   {"Hint", 'M', 10, 0},      {"REF", 'M', 10, 0},
            {"GRAPHIC", 'M', 10, 0}, {"GRAPHICDT", 'M', 10, 0}, {"CaseID", 'N', 10, 0}};
}
inline std::vector<xbase::TagSpec> questionTags() {
    return {{"NUM", "NUM", kLiveRecords}, {"ID", "ID", kLiveRecords}};
}

inline std::vector<xbase::FieldSpec> answerFields() {
    return {{"ID", 'N', 4, 0}, {"INDEX", 'N', 4, 0}, {"ANSWER", 'M', 10, 0}};
}
inline std::vector<xbase::TagSpec> answerTags() { return {{"ID", "ID", kLiveRecords}}; }

}  // namespace zentrix::questionbank::layout
