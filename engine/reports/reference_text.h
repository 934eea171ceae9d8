#pragma once

// How a question's references (REF) appear in the study guide: as report
// cells stacked one under the other (text fields and pictures). References
// may be rich text. By default they are shown plain: rich text keeps its
// words and paragraphs but loses its formatting. With the rich-text reader
// wired in, RichReferenceFormatter keeps bold, italic, underline, colours,
// sizes and pictures:
//
//     input.references = RichReferenceFormatter([](QTextDocument& document, const std::string& rtf)
//     {
//         ui::RtfReader(document).read(QByteArrayView(rtf.data(),
//         static_cast<qsizetype>(rtf.size())));
//     });

#include <functional>
#include <string>
#include <vector>

#include "ui/report/report_definition.h"

class QTextDocument;

namespace zentrix::engine::reports {

using ReferenceFormatter = std::function<std::vector<report::CellContent>(const std::string& ref)>;

// A stored reference as plain text: rich text reduced to its words, other
// text decoded from Windows-1252; blanks at both ends dropped. Empty: no cells.
std::vector<report::CellContent> PlainReferenceText(const std::string& ref);

// Whether a stored text is rich text ("{\rtf" after any blanks).
bool IsRichText(const std::string& text);

// A formatted document as report cells: its paragraphs as one text field
// per run of paragraphs, each picture as a picture cell of its own.
std::vector<report::CellContent> CellsOfDocument(const QTextDocument& document);

// Rich references read by `readRichText` into a document and shown
// formatted; other references as PlainReferenceText shows them.
using RichTextReader = std::function<void(QTextDocument& document, const std::string& rtf)>;
ReferenceFormatter RichReferenceFormatter(RichTextReader readRichText);

// The words and paragraph breaks of a rich text ("{\rtf1 ...}").
std::string RichTextWords(const std::string& rtf);

}  // namespace zentrix::engine::reports
