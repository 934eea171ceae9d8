#pragma once

// The one entry point for showing a study text (hint, reference, case-study
// tab): bytes as stored in the question bank in, document out. Text that
// begins with "{\rtf" is read as rich text; anything else is plain
// Windows-1252 text.

#include <QByteArrayView>
#include <QString>
#include <memory>

#include "ui/rich_text/rtf_reader.h"

class QTextDocument;

namespace zentrix::ui {

// True when the text is rich text (starts with "{\rtf", blanks before it allowed).
bool isRichText(QByteArrayView text);

// Replaces the document's content (and its pictures) with the text, formatted
// when it is rich text and plain otherwise.
RtfReadSummary setStudyText(QTextDocument& document, QByteArrayView text);

// A new document holding the text, for readers without a widget (reports).
std::unique_ptr<QTextDocument> makeStudyTextDocument(QByteArrayView text);

// The text without its formatting: rich text's visible characters, or the
// plain text itself, decoded from Windows-1252.
QString studyTextToPlainText(QByteArrayView text);

// Shrinks pictures and tables wider than `width` (the page or viewport) to
// fit it, keeping a picture's proportions; gives back the size the text gave
// them when the page is wide enough again.
void fitStudyTextToWidth(QTextDocument& document, qreal width);

// Windows-1252 bytes as Unicode; every byte maps to one character.
QString decodeWindows1252(QByteArrayView bytes);

}  // namespace zentrix::ui
