#pragma once

// How a question's references (REF) appear in the study guide. References
// may be rich text; until the rich-text reader is wired in, they are shown
// as plain text: rich text loses its formatting but keeps its words and
// paragraphs. The wiring replaces the formatter with one that keeps the
// formatting.

#include <functional>
#include <string>
#include <vector>

#include "ui/report/report_definition.h"

namespace zentrix::engine::reports {

using ReferenceFormatter = std::function<std::vector<report::TextRun>(const std::string& ref)>;

// Plain runs of a stored reference: rich text reduced to its text, other
// text decoded from Windows-1252; blanks at both ends dropped.
std::vector<report::TextRun> PlainReferenceText(const std::string& ref);

// The words and paragraph breaks of a rich text ("{\rtf1 ...}").
std::string RichTextWords(const std::string& rtf);

}  // namespace zentrix::engine::reports
