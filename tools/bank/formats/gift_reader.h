#pragma once

// Reads GIFT, the line format of questions in braces:
//
//   // a comment line
//   $CATEGORY: $course$/top/Routing      the questions below go to "Routing"
//
//   ::Layer 3::Which device routes? {
//     ~Hub#It repeats.  =Router  ~Switch
//     ####Chapter 3              general feedback: the reference
//   }
//
// Questions are separated by blank lines. "=" marks a right choice, "~" a
// wrong one, "~%50%" a weighted one; {T}, {TRUE}, {F}, {FALSE} make a
// true/false question; "#" after a choice is its feedback (the hint);
// \~ \= \# \{ \} \: \\ are the characters themselves and \n a line break;
// [html] before the text makes every part HTML. Short answer, numerical,
// matching, essay and description questions are skipped with the reason.
// Malformed input (an unclosed brace or title, a bad weight) fails with the
// file and line.

#include <string>
#include <string_view>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class GiftReader {
public:
    // `text` is the file as UTF-8; `name` names it in messages.
    static xbase::Result<InterchangeDocument> read(std::string_view text, const std::string& name);

    // Text with the GIFT characters escaped, for the writer.
    static std::string escape(std::string_view text);
};

}  // namespace zentrix::banktool
