#include "engine/reports/reference_text.h"

#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "ui/report/document_style.h"
#include "ui/report/windows1252_text.h"

namespace zentrix::engine::reports {
namespace {

// Groups whose contents are not text: tables of fonts and colours,
// pictures, embedded objects, document information, and every group marked
// "\*" (ignorable destinations).
bool SkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {
        "fonttbl",   "colortbl", "stylesheet", "info",         "pict",      "object",
        "header",    "footer",   "themedata",  "latentstyles", "listtable", "listoverridetable",
        "generator", "xmlnstbl"};
    for (std::string_view s : kSkipped) {
        if (word == s) return true;
    }
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string RichTextWords(const std::string& rtf) {
    std::string out;
    // Depth at which a skipped group began; 0 while text is kept.
    int depth = 0;
    int skipFrom = 0;
    int pendingSkip = 0;  // characters to drop after \uN
    const size_t n = rtf.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            continue;
        }
        if (c == '}') {
            if (skipFrom && depth <= skipFrom) skipFrom = 0;
            if (depth > 0) --depth;
            continue;
        }
        if (c == '\r' || c == '\n') continue;
        if (c != '\\') {
            if (skipFrom) continue;
            if (pendingSkip > 0) {
                --pendingSkip;
                continue;
            }
            out += c;
            continue;
        }
        if (i + 1 >= n) break;
        const char next = rtf[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            if (!skipFrom) out += next;
            ++i;
            continue;
        }
        if (next == '*') {
            if (!skipFrom) skipFrom = depth;
            ++i;
            continue;
        }
        if (next == '\'') {
            const int hi = i + 2 < n ? HexValue(rtf[i + 2]) : -1;
            const int lo = i + 3 < n ? HexValue(rtf[i + 3]) : -1;
            if (hi >= 0 && lo >= 0 && !skipFrom) {
                if (pendingSkip > 0) {
                    --pendingSkip;
                } else {
                    out += static_cast<char>(hi * 16 + lo);
                }
            }
            i += 3;
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(next))) {
            // A control symbol: "\~" is a hard blank, "\-" and "\_" hyphens.
            if (!skipFrom && next == '~') out += ' ';
            if (!skipFrom && next == '_') out += '-';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < n && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
        const std::string_view word(rtf.data() + i + 1, j - i - 1);
        bool negative = false;
        if (j < n && rtf[j] == '-') {
            negative = true;
            ++j;
        }
        long value = 0;
        bool hasValue = false;
        while (j < n && std::isdigit(static_cast<unsigned char>(rtf[j])) && value < 1000000) {
            value = value * 10 + (rtf[j] - '0');
            hasValue = true;
            ++j;
        }
        if (negative) value = -value;
        if (j < n && rtf[j] == ' ') ++j;  // the delimiter belongs to the word
        i = j - 1;
        if (skipFrom) continue;
        if (SkippedDestination(word)) {
            skipFrom = depth;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
            out += '\n';
        } else if (word == "tab" || word == "cell") {
            out += ' ';
        } else if (word == "row") {
            out += '\n';
        } else if (word == "u" && hasValue) {
            // A Unicode character; kept when Windows-1252 has it as Latin-1,
            // otherwise shown as a question mark. The next character is its
            // stand-in for older readers and is dropped.
            const long code = value < 0 ? value + 65536 : value;
            out += code < 256 ? static_cast<char>(code) : '?';
            pendingSkip = 1;
        } else if (word == "emdash") {
            out += '\x97';
        } else if (word == "endash") {
            out += '\x96';
        } else if (word == "bullet") {
            out += '\x95';
        } else if (word == "lquote") {
            out += '\x91';
        } else if (word == "rquote") {
            out += '\x92';
        } else if (word == "ldblquote") {
            out += '\x93';
        } else if (word == "rdblquote") {
            out += '\x94';
        }
    }
    return out;
}

bool IsRichText(const std::string& text) {
    std::string_view view(text);
    while (!view.empty() && std::isspace(static_cast<unsigned char>(view.front())))
        view.remove_prefix(1);
    return view.substr(0, 5) == "{\\rtf";
}

std::vector<report::CellContent> PlainReferenceText(const std::string& ref) {
    QString text = report::FromWindows1252(IsRichText(ref) ? RichTextWords(ref) : ref).trimmed();
    text.remove(QLatin1Char('\r'));
    // A picture left out of rich text leaves empty paragraphs behind: keep
    // one blank line at most.
    static const QRegularExpression blankLines(QStringLiteral("\n[ \t]*(\n[ \t]*)+\n"));
    text.replace(blankLines, QStringLiteral("\n\n"));
    if (text.isEmpty()) return {};
    return {report::style::Text(text, report::style::Body())};
}

std::vector<report::CellContent> CellsOfDocument(const QTextDocument& document) {
    std::vector<report::CellContent> cells;
    report::TextField text;
    text.font = report::style::Body();
    text.color = report::style::kInk;
    bool paragraphOpen = false;
    const auto flush = [&] {
        // Trailing blank paragraphs add nothing but height.
        while (!text.runs.empty() && text.runs.back().text.trimmed().isEmpty())
            text.runs.pop_back();
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
                QImage picture = resource.typeId() == QMetaType::QPixmap
                                     ? resource.value<QPixmap>().toImage()
                                     : resource.value<QImage>();
                if (picture.isNull()) continue;
                flush();
                QSizeF size;
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

ReferenceFormatter RichReferenceFormatter(RichTextReader readRichText) {
    return [readRichText = std::move(readRichText)](const std::string& ref) {
        if (!readRichText || !IsRichText(ref)) return PlainReferenceText(ref);
        QTextDocument document;
        readRichText(document, ref);
        std::vector<report::CellContent> cells = CellsOfDocument(document);
        return cells.empty() ? PlainReferenceText(ref) : cells;
    };
}

}  // namespace zentrix::engine::reports
