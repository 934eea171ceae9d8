#pragma once

// The formatted study text the rich-text benchmarks read: paragraphs with
// bold, italic, a colour, code-page characters and a bulleted item each, as
// a word processor writes them.

#include <QByteArray>

namespace zentrix::bench {

inline QByteArray paragraph(int i) {
    return "\\pard\\sa120\\f0\\fs20 Paragraph " + QByteArray::number(i) +
           ": a host sends traffic for \\i another\\i0  network to its \\b default gateway\\b0 ; "
           "the packet keeps "
           "the server's address while the \\cf1 frame\\cf0  is addressed to the router (caf\\'e9, "
           "\\'80 5).\\par\n"
           "{\\pntext\\f1\\'b7\\tab}\\pard\\fi-360\\li720 One item of a list that explains the "
           "step.\\par\n";
}

inline QByteArray header() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fcharset2 "
           "Symbol;}}"
           "{\\colortbl;\\red31\\green73\\blue109;}\n";
}

inline QByteArray text(qsizetype size) {
    QByteArray rtf = header();
    for (int i = 0; rtf.size() < size; ++i) rtf += paragraph(i);
    return rtf + "}";
}

// A 50 KB hint of such paragraphs.
inline const QByteArray& hintSample() {
    static const QByteArray rtf = text(50 * 1024);
    return rtf;
}

}  // namespace zentrix::bench
