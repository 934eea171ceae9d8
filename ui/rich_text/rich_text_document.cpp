#include "ui/rich_text/rich_text_document.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <algorithm>

#include "base/windows1252.h"

namespace zentrix::ui {
namespace {

// Plain text breaks its lines with CR LF, LF or a lone CR alike.
QString plainStudyText(QByteArrayView text) {
    return decodeWindows1252(text)
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

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
        document.setPlainText(plainStudyText(text));
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
    if (!isRichText(text)) return plainStudyText(text);
    QTextDocument document;
    RtfReader(document).read(text);
    // Pictures are object replacement characters in the document's text.
    return document.toPlainText().remove(QChar::ObjectReplacementCharacter);
}

namespace {

void fitTables(QTextFrame* frame, qreal width) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            const QVariant natural = format.property(RtfReader::kNaturalWidthProperty);
            if (natural.isValid()) {
                const QTextLength wanted =
                    natural.toDouble() > width
                        ? QTextLength(QTextLength::PercentageLength, 100)
                        : QTextLength(QTextLength::FixedLength, natural.toDouble());
                if (format.width() != wanted) {
                    format.setWidth(wanted);
                    table->setFormat(format);
                }
            }
        }
        fitTables(child, width);
    }
}

}  // namespace

void fitStudyTextToWidth(QTextDocument& document, qreal width) {
    width = std::max<qreal>(width, 16);
    fitTables(document.rootFrame(), width);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid() || !format.hasProperty(RtfReader::kNaturalWidthProperty))
                continue;
            const qreal naturalWidth = format.doubleProperty(RtfReader::kNaturalWidthProperty);
            const qreal naturalHeight = format.doubleProperty(RtfReader::kNaturalHeightProperty);
            const qreal shown = std::min(naturalWidth, width);
            if (qFuzzyCompare(format.width(), shown)) continue;
            format.setWidth(shown);
            format.setHeight(naturalWidth > 0 ? naturalHeight * shown / naturalWidth
                                              : naturalHeight);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

QString decodeWindows1252(QByteArrayView bytes) {
    return QString::fromStdU16String(base::windows1252ToUtf16(
        std::string_view(bytes.data(), static_cast<size_t>(bytes.size()))));
}

}  // namespace zentrix::ui
