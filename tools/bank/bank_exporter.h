#pragma once

// Writes one exam of a bank as an exam source file ("<EXAMID>.exam") with
// its pictures and simulation files beside it, in the form BankImporter
// reads back to the same exam.

#include <map>
#include <string>

#include "tools/bank/exam_source.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class BankExporter {
public:
    // Gives the path of the source file written.
    static xbase::Result<std::string> run(const std::string& bankFolder, const std::string& examId,
                                          const std::string& outFolder);

    // The exam as a source with the stored bytes of its files; a name that
    // stands for two contents, or one that would leave the output folder,
    // is refused.
    static xbase::Result<ExamWithFiles> read(const std::string& bankFolder, const std::string& examId);

    // Writes `files` into `outFolder`, creating it.
    static xbase::Status writeFiles(const std::string& outFolder, const std::map<std::string, std::string>& files);
};

}  // namespace zentrix::banktool
