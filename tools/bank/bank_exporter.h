#pragma once

// Writes one exam of a bank as an exam source file ("<EXAMID>.exam") with
// its pictures and simulation files beside it, in the form BankImporter
// reads back to the same exam.

#include <string>

#include "tools/bank/exam_source.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class BankExporter {
public:
    // Gives the path of the source file written.
    static xbase::Result<std::string> run(const std::string& bankFolder, const std::string& examId,
                                          const std::string& outFolder);
};

}  // namespace zentrix::banktool
