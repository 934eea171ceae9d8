#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace zentrix::ui {

// What a read met besides the text itself, for tests and for callers that
// want to tell the author about damage.
struct RtfReadSummary {
    int pictures = 0;            // \pict groups placed in the document
    int picturesNotDecoded = 0;  // of those, shown as a placeholder
    bool unbalanced = false;     // the input ended inside a group
    bool depthLimited = false;   // groups nested deeper than the reader keeps apart
};

// Reads rich text (RTF) into a QTextDocument, appending at its end. The
// parser needs no widgets. Any bytes are accepted: what cannot be read is left
// out, time and memory grow with the input only (nesting beyond kMaxDepth
// shares one state, decoded pictures stop at a pixel budget), and nothing
// after the outermost group closes is read.
//
// Understood: groups and destinations (unknown \* destinations and document
// furniture such as style sheets, headers and field instructions are
// skipped), the font and colour tables, character formatting (\b \i \ul
// \strike \fs \f \cf \cb \highlight \super \sub \v \plain), paragraph
// formatting (\pard \ql \qr \qc \qj \li \ri \fi \sb \sa, \par \line \tab),
// the document's code page (\ansicpg, Windows-1252 by default) and each
// font's character set for \'hh, \uN with \ucN skipping, \~ \- \_, Word's
// list numbers (\pntext, \listtext), tables (\trowd \cellx \cell \row) and
// pictures (see rtf_picture.h).
class RtfReader {
public:
    // Pictures and tables keep the width the text gave them here (a double,
    // in pixels), and pictures their height, so that fitStudyTextToWidth can
    // shrink them to a narrower page and grow them back.
    static constexpr int kNaturalWidthProperty = 0x100000 + 1;  // QTextFormat::UserProperty + 1
    static constexpr int kNaturalHeightProperty = 0x100000 + 2;

    static constexpr int kMaxDepth = 200;
    // Decoded pixels a document may hold; pictures past it show as placeholders.
    static constexpr qint64 kPixelBudget = 48'000'000;

    explicit RtfReader(QTextDocument& document) : document_(document) {}

    RtfReadSummary read(QByteArrayView rtf);

private:
    QTextDocument& document_;
};

}  // namespace zentrix::ui
