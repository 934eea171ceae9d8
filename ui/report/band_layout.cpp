#include "ui/report/band_layout.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace zentrix::report {
namespace {

// Text is measured at a hundred dots per point, the size it is drawn at.
constexpr double kMeasureDpi = 72.0 * ReportFont::kTextUnitsPerPoint;
constexpr double kPictureDpi = 300.0;

const QImage& MeasureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

struct RunRange {
    int start = 0;
    int length = 0;
    ReportFont font;
    QColor color;
};

ReportFont Apply(const ReportFont& base, const TextRun& run) {
    ReportFont font = base;
    font.pointSize =
        std::isfinite(font.pointSize)
            ? std::clamp(font.pointSize, ReportFont::kMinPointSize, ReportFont::kMaxPointSize)
            : 10.0;
    if (run.bold) font.bold = *run.bold;
    if (run.italic) font.italic = *run.italic;
    if (run.underline) font.underline = *run.underline;
    if (run.pointSize)
        font.pointSize =
            std::clamp(*run.pointSize, ReportFont::kMinPointSize, ReportFont::kMaxPointSize);
    return font;
}

QTextCharFormat FormatOf(const ReportFont& font) {
    QTextCharFormat format;
    format.setFontWeight(font.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic);
    format.setFontUnderline(font.underline);
    format.setFontPointSize(font.pointSize);
    return format;
}

// Line breaks become the layout's own separators; tabs and other controls
// become blanks so that every character has a width.
QString LayoutText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\r')) continue;
        if (c == QLatin1Char('\n')) {
            out += QChar::LineSeparator;
        } else if (c.category() == QChar::Other_Control) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

double BandLayout::MeasureScale() { return 72.0 / kMeasureDpi; }

BandLayout::BandLayout(RenderedReport& report, double left, double width, double maxPictureHeight)
    : report_(report), left_(left), width_(width), maxPictureHeight_(maxPictureHeight) {}

LaidOutBand BandLayout::layOut(const Band& band) {
    LaidOutBand out;
    out.frame = band.frame;
    out.frameWidth = band.frameWidth;
    out.frameColor = band.frameColor;
    out.background = band.background;
    out.spaceAfter = std::max(0.0, band.spaceAfter);

    // A padding is kept to a quarter of the width, so the content always
    // has half the width for itself.
    const double inset = (band.frame || band.background.alpha() > 0)
                             ? std::clamp(band.framePadding, 0.0, width_ / 4)
                             : 0.0;
    out.framePadding = band.frame ? inset : 0.0;
    const double contentLeft = left_ + inset;
    const double contentWidth = std::max(1.0, width_ - 2 * inset);
    double y = inset;
    for (size_t r = 0; r < band.rows.size(); ++r) {
        const BandRow& row = band.rows[r];
        double rowHeight = 0;
        for (const Cell& cell : row.cells) {
            const double cellX = std::clamp(cell.x, 0.0, contentWidth);
            const double cellWidth =
                cell.width > 0 ? std::min(cell.width, contentWidth - cellX) : contentWidth - cellX;
            rowHeight = std::max(rowHeight, layOutCell(cell, contentLeft + cellX,
                                                       std::max(1.0, cellWidth), y, out.items));
        }
        y += rowHeight;
        if (r + 1 < band.rows.size()) y += std::max(0.0, row.spaceAfter);
    }
    out.height = y + inset;
    return out;
}

double BandLayout::layOutCell(const Cell& cell, double x, double width, double top,
                              std::vector<LaidItem>& items) {
    return std::visit(
        [&](const auto& content) -> double {
            using T = std::decay_t<decltype(content)>;
            if constexpr (std::is_same_v<T, TextField>) {
                return layOutText(content, x, width, top, items);
            } else if constexpr (std::is_same_v<T, Rule>) {
                return layOutRule(content, x, width, top, items);
            } else if constexpr (std::is_same_v<T, BarChart>) {
                return layOutChart(content, x, width, top, items);
            } else if constexpr (std::is_same_v<T, Picture>) {
                return layOutPicture(content, x, width, top, items);
            } else {
                const double height = std::max(0.0, content.height);
                items.push_back(LaidItem{top, top + height, {}, std::nullopt});
                return height;
            }
        },
        cell.content);
}

double BandLayout::layOutText(const TextField& field, double x, double width, double top,
                              std::vector<LaidItem>& items) {
    QString text;
    std::vector<RunRange> ranges;
    QList<QTextLayout::FormatRange> formats;
    for (const TextRun& run : field.runs) {
        const QString part = LayoutText(run.text);
        if (part.isEmpty()) continue;
        RunRange range{static_cast<int>(text.size()), static_cast<int>(part.size()),
                       Apply(field.font, run), run.color.value_or(field.color)};
        formats.push_back(
            QTextLayout::FormatRange{range.start, range.length, FormatOf(range.font)});
        ranges.push_back(range);
        text += part;
    }
    if (text.isEmpty()) return 0;

    const double scale = MeasureScale();
    QTextLayout layout(text, field.font.deviceFont(), &const_cast<QImage&>(MeasureDevice()));
    QTextOption option;
    option.setWrapMode(field.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                      : QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.setFormats(formats);
    layout.setCacheEnabled(true);
    const double lineWidth = width / scale;
    layout.beginLayout();
    double y = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();

    const bool clip = !field.wordWrap;
    double bottom = top;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        double offset = 0;
        const double natural = line.naturalTextWidth() * scale;
        if (field.align == TextField::Align::Right) offset = std::max(0.0, width - natural);
        if (field.align == TextField::Align::Center) offset = std::max(0.0, (width - natural) / 2);
        const double baseline = top + (line.y() + line.ascent()) * scale;
        LaidItem item{
            top + line.y() * scale, top + (line.y() + line.height()) * scale, {}, std::nullopt};
        if (clip)
            item.commands.push_back(
                ClipCommand{QRectF(x, item.top, width, item.bottom - item.top)});
        const int lineStart = line.textStart();
        const int lineEnd = lineStart + line.textLength();
        for (const RunRange& range : ranges) {
            const int start = std::max(lineStart, range.start);
            const int end = std::min(lineEnd, range.start + range.length);
            if (start >= end) continue;
            QString piece = text.mid(start, end - start);
            piece.remove(QChar::LineSeparator);
            if (piece.trimmed().isEmpty()) continue;
            const double pieceX = x + offset + line.cursorToX(start) * scale;
            item.commands.push_back(TextCommand{QPointF(pieceX, baseline),
                                                report_.fontIndex(range.font), range.color, piece});
        }
        if (clip) item.commands.push_back(ClipCommand{});
        bottom = item.bottom;
        items.push_back(std::move(item));
    }
    return bottom - top;
}

double BandLayout::layOutRule(const Rule& rule, double x, double width, double top,
                              std::vector<LaidItem>& items) {
    const double thickness = std::max(0.1, rule.thickness);
    const double above = std::max(0.0, rule.spaceAbove);
    const double height = above + thickness + std::max(0.0, rule.spaceBelow);
    const double y = top + above + thickness / 2;
    items.push_back(
        LaidItem{top,
                 top + height,
                 {LineCommand{QPointF(x, y), QPointF(x + width, y), thickness, rule.color}},
                 std::nullopt});
    return height;
}

double BandLayout::layOutChart(const BarChart& chart, double x, double width, double top,
                               std::vector<LaidItem>& items) {
    LaidItem item{top, top, {}, std::nullopt};
    ReportFont captionFont = chart.font;
    captionFont.bold = true;
    const QFontMetricsF metrics(chart.font.deviceFont(), &const_cast<QImage&>(MeasureDevice()));
    const double scale = MeasureScale();
    const double ascent = metrics.ascent() * scale;
    const double descent = metrics.descent() * scale;
    const double valueRoom = 48;
    const double barLeft = x + std::min(chart.captionWidth, width / 2);
    const double barSpan = std::max(1.0, x + width - valueRoom - barLeft);
    const double maximum = chart.maximum > 0 ? chart.maximum : 1;
    const double barHeight = std::max(1.0, chart.barHeight);
    const int captionFontIndex = report_.fontIndex(captionFont);
    const int valueFontIndex = report_.fontIndex(chart.font);

    double y = top;
    for (size_t i = 0; i < chart.bars.size(); ++i) {
        const BarChart::Bar& bar = chart.bars[i];
        const double baseline = y + barHeight / 2 + (ascent - descent) / 2;
        item.commands.push_back(
            TextCommand{QPointF(x, baseline), captionFontIndex, Qt::black, bar.caption});
        const double fraction = std::clamp(bar.value / maximum, 0.0, 1.0);
        item.commands.push_back(RectCommand{QRectF(barLeft, y, barSpan, barHeight), 0.5,
                                            QColor(150, 150, 150), QColor(245, 245, 245)});
        if (fraction > 0) {
            item.commands.push_back(RectCommand{QRectF(barLeft, y, barSpan * fraction, barHeight),
                                                0.5, bar.color.darker(130), bar.color});
        }
        if (!bar.valueText.isEmpty()) {
            item.commands.push_back(TextCommand{QPointF(barLeft + barSpan + 6, baseline),
                                                valueFontIndex, Qt::black, bar.valueText});
        }
        y += barHeight;
        if (i + 1 < chart.bars.size()) y += std::max(0.0, chart.barGap);
    }
    if (!chart.ticks.empty()) {
        y += 3;
        const QColor axis(110, 110, 110);
        item.commands.push_back(
            LineCommand{QPointF(barLeft, y), QPointF(barLeft + barSpan, y), 0.5, axis});
        ReportFont tickFont = chart.font;
        tickFont.pointSize = std::max(ReportFont::kMinPointSize, chart.font.pointSize * 0.8);
        const int tickFontIndex = report_.fontIndex(tickFont);
        const QFontMetricsF tickMetrics(tickFont.deviceFont(),
                                        &const_cast<QImage&>(MeasureDevice()));
        for (const double tick : chart.ticks) {
            const double tx = barLeft + barSpan * std::clamp(tick / maximum, 0.0, 1.0);
            item.commands.push_back(LineCommand{QPointF(tx, y), QPointF(tx, y + 3), 0.5, axis});
            const QString label = QString::number(tick, 'g', 6);
            const double labelWidth = tickMetrics.horizontalAdvance(label) * scale;
            item.commands.push_back(
                TextCommand{QPointF(tx - labelWidth / 2, y + 4 + tickMetrics.ascent() * scale),
                            tickFontIndex, axis, label});
        }
        y += 4 + tickMetrics.height() * scale;
    }
    item.bottom = y;
    items.push_back(std::move(item));
    return y - top;
}

double BandLayout::layOutPicture(const Picture& picture, double x, double width, double top,
                                 std::vector<LaidItem>& items) {
    if (picture.image.isNull()) return 0;
    QSizeF size = picture.size.isEmpty() ? QSizeF(picture.image.width() * 72.0 / 96.0,
                                                  picture.image.height() * 72.0 / 96.0)
                                         : picture.size;
    const double shrink = std::min({1.0, width / size.width(), maxPictureHeight_ / size.height()});
    size *= shrink;
    // Pages keep no more pixels than print at 300 dpi needs for the shown
    // size (and never more than a saved report may hold), so a huge picture
    // neither bloats the report nor makes its file unreadable.
    QImage pixels = picture.image;
    const QSize needed(
        std::max(1, static_cast<int>(std::ceil(size.width() * kPictureDpi / 72.0))),
        std::max(1, static_cast<int>(std::ceil(size.height() * kPictureDpi / 72.0))));
    if (pixels.width() > needed.width() || pixels.height() > needed.height())
        pixels = pixels.scaled(needed, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    items.push_back(
        LaidItem{top,
                 top + size.height(),
                 {ImageCommand{QRectF(QPointF(x, top), size),
                               pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied)}},
                 std::nullopt});
    return size.height();
}

}  // namespace zentrix::report
