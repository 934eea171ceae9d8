#pragma once

// Reads questions that authors keep in a spreadsheet, saved as CSV: a header
// row naming the columns, then one row per question.
//
//   type,title,question,choice1,choice2,choice3,correct,hint,reference,picture
//   single-choice,Layer 3,Which device routes?,Hub,Switch,Router,3,,Chapter 3,router.gif
//   multiple-choice,Private,"Which are private?
//   Choose two.",10/8,11/8,192.168/16,"1,3",,,
//   true-false,Hubs,A hub repeats every frame.,,,,true,,,
//
// Fields may be quoted ("" is a quote inside one) and then hold the
// separator and line breaks. The separator is the comma, or the semicolon or
// tab when the header row uses that instead. Column names ignore case;
// "text" may stand for "question". `correct` is true/false, a choice number
// or letter, or several separated by commas, semicolons or blanks; an empty
// `type` is told from it. `picture` names a file beside the CSV file. Rows
// of other kinds (essay, matching, ...) are skipped with the reason; a row
// with too few fields, an unknown column or a `correct` naming no choice
// fails with the file and line.

#include <string>
#include <string_view>
#include <vector>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class CsvReader {
public:
    static xbase::Result<InterchangeDocument> read(std::string_view text, const std::string& name);

    // The fields of every record, with the line each record starts on.
    struct Record {
        int line = 0;
        std::vector<std::string> fields;
    };
    static xbase::Result<std::vector<Record>> records(std::string_view text, char separator,
                                                      const std::string& name);
    static char separatorOf(std::string_view text);
};

}  // namespace zentrix::banktool
