#pragma once

// Reads an exam source: a small line-based format of sections and keys.
//
//   # comment
//   [course]                 one course, [exam] one exam,
//   [[question]]             then one section per question, in order
//   key = "text"             basic string: \\ \" \n \r \t \xHH escapes
//   key = 'text'             literal string, taken as written
//   key = '''                literal text over several lines; a line break
//   lines...'''              right after the opening quotes is dropped
//   key = 12    key = true    key = [1, 3]
//
// The keys and their meaning are in the README ("Building exam banks").
// Every error names the file and line.

#include <string>

#include "tools/bank/exam_source.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class ExamSourceParser {
public:
    // `name` is used in messages ("net101a.exam:12: ...").
    static xbase::Result<ExamSource> parse(const std::string& text, const std::string& name);
    static xbase::Result<ExamSource> parseFile(const std::string& path);

    static const char* typeName(int type);  // "true-false", "single-choice", ...
};

}  // namespace zentrix::banktool
