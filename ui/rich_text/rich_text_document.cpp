#include "ui/rich_text/rich_text_document.h"

#include <QTextDocument>

#include "xbase/windows1252.h"

namespace zentrix::ui {

bool isRichText(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    return text.sliced(i).startsWith("{\\rtf");
}

RtfReadSummary setStudyText(QTextDocument& document, QByteArrayView text) {
    document.clear();
    if (!isRichText(text)) {
        document.setPlainText(decodeWindows1252(text));
        return {};
    }
    return RtfReader(document).read(text);
}

std::unique_ptr<QTextDocument> makeStudyTextDocument(QByteArrayView text) {
    auto document = std::make_unique<QTextDocument>();
    setStudyText(*document, text);
    return document;
}

QString studyTextToPlainText(QByteArrayView text) {
    if (!isRichText(text)) return decodeWindows1252(text);
    QTextDocument document;
    RtfReader(document).read(text);
    // Pictures are object replacement characters in the document's text.
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter);
}

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(static_cast<char16_t>(
            xbase::windows1252CodePoint(static_cast<unsigned char>(bytes[i]))));
    return text;
}

}  // namespace zentrix::ui
