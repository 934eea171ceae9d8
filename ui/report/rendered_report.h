#pragma once

// A report as finished pages: per page its size and a list of drawing
// commands in points (1/72 inch) from the page's top-left corner. This is
// what the preview shows, the printer and the PDF writer receive, and the
// saved-report file keeps, so a saved report reopens as the very same pages
// whatever the question bank holds later.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>
#include <vector>

#include "ui/report/report_font.h"

namespace zentrix::report {

// One run of text on one line; `baseline` is the left end of its baseline.
struct TextCommand {
    QPointF baseline;
    int font = 0;  // index into RenderedReport::fonts
    QColor color = Qt::black;
    QString text;
    bool operator==(const TextCommand&) const = default;
};

struct LineCommand {
    QPointF from;
    QPointF to;
    double width = 0.75;
    QColor color = Qt::black;
    bool operator==(const LineCommand&) const = default;
};

// A rectangle with an outline (width 0: none) and a fill (alpha 0: none).
struct RectCommand {
    QRectF rect;
    double penWidth = 0.75;
    QColor pen = Qt::black;
    QColor fill = Qt::transparent;
    bool operator==(const RectCommand&) const = default;
};

// Limits the following commands of the page to `rect`; an empty rect lifts
// the limit. Used where a band that cannot be broken between lines had to be
// cut between two pages.
struct ClipCommand {
    QRectF rect;
    bool operator==(const ClipCommand&) const = default;
};

struct ImageCommand {
    QRectF target;
    QImage image;  // ARGB32 premultiplied
    bool operator==(const ImageCommand& other) const {
        return target == other.target && image == other.image;
    }
};

using PageCommand = std::variant<TextCommand, LineCommand, RectCommand, ClipCommand, ImageCommand>;

// Moves a command by (dx, dy) points.
void Translate(PageCommand& command, double dx, double dy);

struct RenderedPage {
    QSizeF size;  // points
    std::vector<PageCommand> commands;
    bool operator==(const RenderedPage&) const = default;
};

struct RenderedReport {
    QString title;
    std::vector<ReportFont> fonts;
    std::vector<RenderedPage> pages;
    bool operator==(const RenderedReport&) const = default;

    // The index of `font` in `fonts`, adding it when new.
    int fontIndex(const ReportFont& font);
    // All the text of a page, one command per line, for tests and searches.
    QString pageText(int page) const;
};

}  // namespace zentrix::report
