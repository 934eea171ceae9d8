#pragma once

// Reads a file of a learning platform's format into exams ready for
// BankImporter::store, so such imports share its all-or-nothing staging.
//
// Each category of the file becomes an exam of one course; a file with one
// category (or none) makes one exam, named by the caller or after the file.
// Exam identifiers come from the category names (upper case, at most 10
// characters, made unique with a number); an exam's tables lie in a folder
// of the same name in lower case. Pictures named as files beside the source
// are read here. Texts become Windows-1252, characters the page lacks "?",
// each change reported with the question.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/bank/exam_source.h"
#include "tools/bank/formats/interchange_document.h"
#include "tools/bank/formats/interchange_format.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class InterchangeImporter {
public:
    struct Options {
        std::string course;  // the course the exams go to; empty: named after the file
        std::string
            exam;  // the exam of a file with one category; empty: named after it or the file
    };
    struct Report {
        std::vector<ExamWithFiles> exams;
        std::vector<std::string> skipped;  // one line per question left out, with the reason
        std::vector<std::string> notes;    // what changed in questions taken
        int taken = 0;
    };

    // `format` is any but the exam source format. `usedIds` holds the exam
    // identifiers earlier files of the same import took and gets this file's.
    static xbase::Result<Report> read(const std::string& path, InterchangeFormat format,
                                      const Options& options, std::set<std::string>& usedIds);

    // The questions of the file, before they become exams.
    static xbase::Result<InterchangeDocument> readDocument(const std::string& path,
                                                           InterchangeFormat format);

    // An exam or course identifier made from a name: letters and digits in
    // upper case, at most 10; "EXAM" when nothing is left.
    static std::string identifierFrom(std::string_view name);
    // The last part of a category path, less "$course$/top/" and the like.
    static std::string categoryTitle(std::string_view category);
};

}  // namespace zentrix::banktool
