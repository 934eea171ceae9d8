#pragma once

// Writes an ExamSource as exam source text that ExamSourceParser reads back
// to the same ExamSource. Keys with default values are left out.

#include <string>

#include "tools/bank/exam_source.h"

namespace zentrix::banktool {

class ExamSourceWriter {
public:
    static std::string write(const ExamSource& exam);
    // A value as source text, in the most readable form that reads back
    // exactly; `crlf`: a line break inside ''' text stands for "\r\n".
    static std::string quote(const std::string& text, bool crlf = false);
};

}  // namespace zentrix::banktool
