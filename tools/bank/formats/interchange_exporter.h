#pragma once

// Turns one exam read from a bank into GIFT, Moodle XML or a QTI 2.1
// package, for a learning platform: true/false, single and multiple choice
// questions with their hints, references and exhibit pictures. Simulations
// are skipped with a line, or written as their steps in a text item when
// asked. The bank tool writes the result as <EXAMID>.gift (with the
// pictures beside it), <EXAMID>.xml or <EXAMID>.zip.

#include <map>
#include <string>
#include <vector>

#include "tools/bank/exam_source.h"
#include "tools/bank/formats/interchange_document.h"
#include "tools/bank/formats/interchange_format.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class InterchangeExporter {
public:
    struct Options {
        bool includeSimulations = false;  // their steps as a text item instead of skipping them
    };
    struct Report {
        std::string bytes;                          // the file's content
        std::map<std::string, std::string> beside;  // files to write beside it: name -> bytes
        int written = 0;                            // questions
        std::vector<std::string> skipped;  // one line per question left out, with the reason
        std::vector<std::string> notes;    // what was left out of questions written
    };

    static xbase::Result<Report> write(const ExamWithFiles& exam, InterchangeFormat format,
                                       const Options& options);
    // ".gift", ".xml", ".zip".
    static std::string extensionOf(InterchangeFormat format);

    // The exam's questions in UTF-8 with their keys read; what cannot be
    // written goes to the report.
    static ExportedExam exported(const ExamWithFiles& exam, const Options& options, Report& report);
};

}  // namespace zentrix::banktool
