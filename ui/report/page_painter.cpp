#include "ui/report/page_painter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace zentrix::report {
namespace {

// Text is drawn at the size and with the design metrics it was measured
// with, so a run takes the width the layout gave it at every resolution
// (drawText at the page's own scale would have the font engine round the
// font to whole pixels of a point).
void DrawRun(QPainter& painter, const QFont& font, const QPointF& baseline, const QString& text) {
    QTextLayout layout(text, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(1e9);
    layout.endLayout();
    painter.save();
    painter.translate(baseline);
    painter.scale(1.0 / ReportFont::kTextUnitsPerPoint, 1.0 / ReportFont::kTextUnitsPerPoint);
    layout.draw(&painter, QPointF(0, -line.ascent()));
    painter.restore();
}

QPageLayout LayoutFor(const RenderedPage& page) {
    return QPageLayout(
        QPageSize(page.size, QPageSize::Point, QString(), QPageSize::ExactMatch),
        page.size.width() > page.size.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

}  // namespace

void PaintPage(QPainter& painter, const RenderedReport& report, int index) {
    if (index < 0 || index >= static_cast<int>(report.pages.size())) return;
    const RenderedPage& page = report.pages[index];
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const bool hadClip = painter.hasClipping();
    const QPainterPath baseClip = hadClip ? painter.clipPath() : QPainterPath();
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 72.0;

    std::vector<QFont> fonts;
    fonts.reserve(report.fonts.size());
    for (const ReportFont& font : report.fonts) fonts.push_back(font.painterFont(dpi));

    for (const PageCommand& command : page.commands) {
        if (const auto* text = std::get_if<TextCommand>(&command)) {
            if (text->font < 0 || text->font >= static_cast<int>(fonts.size())) continue;
            painter.setPen(text->color);
            DrawRun(painter, fonts[text->font], text->baseline, text->text);
        } else if (const auto* line = std::get_if<LineCommand>(&command)) {
            painter.setPen(QPen(line->color, line->width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(line->from, line->to);
        } else if (const auto* rect = std::get_if<RectCommand>(&command)) {
            painter.setPen(rect->penWidth > 0 ? QPen(rect->pen, rect->penWidth) : QPen(Qt::NoPen));
            painter.setBrush(rect->fill.alpha() > 0 ? QBrush(rect->fill) : QBrush(Qt::NoBrush));
            painter.drawRect(rect->rect);
            painter.setBrush(Qt::NoBrush);
        } else if (const auto* clip = std::get_if<ClipCommand>(&command)) {
            if (clip->rect.isEmpty()) {
                if (hadClip) {
                    painter.setClipPath(baseClip);
                } else {
                    painter.setClipping(false);
                }
            } else if (hadClip) {
                painter.setClipPath(baseClip);
                painter.setClipRect(clip->rect, Qt::IntersectClip);
            } else {
                painter.setClipRect(clip->rect);
            }
        } else if (const auto* image = std::get_if<ImageCommand>(&command)) {
            painter.drawImage(image->target, image->image);
        }
    }
    painter.restore();
}

QImage RenderPageImage(const RenderedReport& report, int index, double dpi) {
    if (index < 0 || index >= static_cast<int>(report.pages.size()) || dpi <= 0) return {};
    const QSizeF points = report.pages[index].size;
    const QSize pixels(std::max(1, static_cast<int>(std::lround(points.width() * dpi / 72.0))),
                       std::max(1, static_cast<int>(std::lround(points.height() * dpi / 72.0))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(dpi / 72.0, dpi / 72.0);
    PaintPage(painter, report, index);
    painter.end();
    return image;
}

base::Status PaintPages(QPagedPaintDevice& device, const RenderedReport& report, int first,
                        int last) {
    const int count = static_cast<int>(report.pages.size());
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first > last) return base::Status::error("the report has no pages to print");
    device.setPageLayout(LayoutFor(report.pages[first]));
    QPainter painter;
    if (!painter.begin(&device)) return base::Status::error("the output could not be started");
    for (int i = first; i <= last; ++i) {
        if (i != first) {
            device.setPageLayout(LayoutFor(report.pages[i]));
            if (!device.newPage()) return base::Status::error("a new page could not be started");
        }
        painter.resetTransform();
        const double scaleX = device.logicalDpiX() / 72.0;
        const double scaleY = device.logicalDpiY() / 72.0;
        painter.scale(scaleX, scaleY);
        PaintPage(painter, report, i);
    }
    if (!painter.end()) return base::Status::error("the output could not be finished");
    return base::Status::ok();
}

}  // namespace zentrix::report
