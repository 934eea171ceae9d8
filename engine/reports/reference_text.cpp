#include "engine/reports/reference_text.h"

#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

#include "ui/report/document_style.h"
#include "ui/rich_text/rich_text_document.h"

namespace zentrix::engine::reports {
namespace {

QByteArrayView Bytes(const std::string& text) {
    return QByteArrayView(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::vector<report::CellContent> PlainReferenceText(const std::string& ref) {
    QString text = ui::studyTextToPlainText(Bytes(ref)).trimmed();
    text.remove(QLatin1Char('\r'));
    // A picture left out of rich text leaves empty paragraphs behind: keep
    // one blank line at most.
    static const QRegularExpression blankLines(QStringLiteral("\\n[ \\t]*(\\n[ \\t]*)+\\n"));
    text.replace(blankLines, QStringLiteral("\n\n"));
    if (text.isEmpty()) return {};
    return {report::style::Text(text, report::style::Body())};
}

std::vector<report::CellContent> FormattedReferenceText(const std::string& ref) {
    if (!ui::isRichText(Bytes(ref))) return PlainReferenceText(ref);
    const std::unique_ptr<QTextDocument> document = ui::makeStudyTextDocument(Bytes(ref));
    std::vector<report::CellContent> cells = CellsOfDocument(*document);
    return cells.empty() ? PlainReferenceText(ref) : cells;
}

std::vector<report::CellContent> CellsOfDocument(const QTextDocument& document) {
    std::vector<report::CellContent> cells;
    report::TextField text = report::style::Text(QString(), report::style::Body());
    text.runs.clear();
    bool paragraphOpen = false;
    const auto flush = [&] {
        // Blank paragraphs at either end add nothing but height.
        while (!text.runs.empty() && text.runs.back().text.trimmed().isEmpty())
            text.runs.pop_back();
        while (!text.runs.empty() && text.runs.front().text.trimmed().isEmpty())
            text.runs.erase(text.runs.begin());
        if (!text.runs.empty()) cells.push_back(text);
        text.runs.clear();
        paragraphOpen = false;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (paragraphOpen) {
            report::TextRun lineBreak;
            lineBreak.text = QStringLiteral("\n");
            text.runs.push_back(lineBreak);
        }
        paragraphOpen = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                const QVariant resource =
                    document.resource(QTextDocument::ImageResource, QUrl(image.name()));
                const QImage picture = resource.typeId() == QMetaType::QPixmap
                                           ? resource.value<QPixmap>().toImage()
                                           : resource.value<QImage>();
                if (picture.isNull()) continue;
                flush();
                QSizeF size;  // the shown size in pixels of 96 dpi, in points
                if (image.width() > 0 && image.height() > 0)
                    size = QSizeF(image.width(), image.height()) * 0.75;
                cells.push_back(report::Picture{picture, size});
                continue;
            }
            report::TextRun run;
            run.text = fragment.text();
            run.text.replace(QChar::LineSeparator, QLatin1Char('\n'));
            run.text.remove(QChar::ObjectReplacementCharacter);
            run.bold = format.fontWeight() >= QFont::DemiBold;
            run.italic = format.fontItalic();
            run.underline = format.fontUnderline();
            // Sizes stay within what reads as the document's body and headings.
            if (format.hasProperty(QTextFormat::FontPointSize))
                run.pointSize = std::clamp(format.fontPointSize(), 6.0, 24.0);
            if (format.hasProperty(QTextFormat::ForegroundBrush) &&
                format.foreground().style() != Qt::NoBrush)
                run.color = format.foreground().color();
            text.runs.push_back(std::move(run));
        }
    }
    flush();
    return cells;
}

}  // namespace zentrix::engine::reports
