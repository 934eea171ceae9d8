#pragma once

// How a question's references (REF) appear in the study guide: as report
// cells stacked one under the other (text fields and pictures). Rich text
// is read by the rich-text reader (ui/rich_text) and keeps its bold, italic,
// underline, colours, sizes and pictures; other text is shown as it is,
// decoded from Windows-1252. The study guide takes the formatter as an input,
// so a caller may show references differently.

#include <functional>
#include <string>
#include <vector>

#include "ui/report/report_definition.h"

class QTextDocument;

namespace zentrix::engine::reports {

using ReferenceFormatter = std::function<std::vector<report::CellContent>(const std::string& ref)>;

// The reference formatted: a rich text's runs and pictures, or plain text.
// Empty text gives no cells.
std::vector<report::CellContent> FormattedReferenceText(const std::string& ref);

// The reference without formatting: a rich text's words and paragraphs (at
// most one blank line in a row), other text as it is; blanks at both ends
// dropped. Empty text gives no cells.
std::vector<report::CellContent> PlainReferenceText(const std::string& ref);

// A formatted document as report cells: its paragraphs as one text field
// per run of paragraphs, each picture as a picture cell of its own.
std::vector<report::CellContent> CellsOfDocument(const QTextDocument& document);

}  // namespace zentrix::engine::reports
