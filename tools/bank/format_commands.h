#pragma once

// The import and export commands of zentrix-bank over every format: exam
// sources and the learning platforms' files (GIFT, Aiken, Moodle XML, QTI,
// CSV) go into a bank in one all-or-nothing import; an exam comes out as an
// exam source, GIFT, Moodle XML or a QTI package. Skipped questions and
// changed texts are reported on `err`, one line each, the outcome on `out`.

#include <iosfwd>
#include <string>
#include <vector>

namespace zentrix::banktool {

class FormatCommands {
public:
    struct ImportOptions {
        std::string format;  // empty: guessed per file
        std::string course;  // for files of other formats
        std::string exam;
        bool replace = false;
        bool strict = false;  // any skipped question fails the import
    };
    struct ExportOptions {
        std::string format;  // empty: exam source
        bool includeSimulations = false;
    };

    // Exit status 0 done, 1 failed, 2 bad usage.
    static int import(const std::string& bank, const std::vector<std::string>& files,
                      const ImportOptions& options, std::ostream& out, std::ostream& err);
    static int exportExam(const std::string& bank, const std::string& examId,
                          const std::string& outFolder, const ExportOptions& options,
                          std::ostream& out, std::ostream& err);
};

}  // namespace zentrix::banktool
