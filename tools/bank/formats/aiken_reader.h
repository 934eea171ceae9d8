#pragma once

// Reads Aiken, the plainest question format:
//
//   Which device works at layer 3?
//   A. Hub
//   B) Switch
//   C. Router
//   ANSWER: C
//
// The question text (one or more lines), then its choices, each a capital
// letter with "." or ")" and a blank, then the ANSWER line naming the right
// letter ("ANSWER: A, C" names several and makes a multiple-choice
// question). Blank lines may stand between questions. A question without an
// ANSWER line, or an answer naming no choice, fails with the file and line.

#include <string>
#include <string_view>

#include "tools/bank/formats/interchange_document.h"
#include "xbase/status.h"

namespace zentrix::banktool {

class AikenReader {
public:
    static xbase::Result<InterchangeDocument> read(std::string_view text, const std::string& name);

    // Whether the text reads like Aiken: some line is an ANSWER line.
    static bool looksLikeAiken(std::string_view text);
};

}  // namespace zentrix::banktool
