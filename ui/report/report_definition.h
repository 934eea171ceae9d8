#pragma once

// What a report is made of before it is laid out: a page, a title band for
// the first page, an optional column header repeated at the top of every
// page, detail bands pulled from a data callback until it says "end", and a
// page footer (by default "Page n of m").
//
// A band is a stack of rows; a row holds cells side by side, each at an
// offset and width in points within the page's printable width. A cell is a
// text field, a horizontal rule, a chart of horizontal bars, a picture or a
// blank space. Text grows to as many lines as it needs, so bands grow too.

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "ui/report/report_font.h"

namespace zentrix::report {

// A piece of text with its own look; unset members take the field's style.
struct TextRun {
    QString text;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<double> pointSize;
    std::optional<QColor> color;
};

struct TextField {
    enum class Align { Left, Center, Right };

    std::vector<TextRun> runs;  // line breaks ('\n') are kept
    ReportFont font;
    QColor color = Qt::black;
    Align align = Align::Left;
    bool wordWrap = true;  // false: one line per paragraph, cut at the cell's edge

    static TextField plain(QString text, ReportFont font = {}, Align align = Align::Left);
    QString text() const;
};

struct Rule {
    double thickness = 0.75;
    QColor color = Qt::black;
    double spaceAbove = 4;
    double spaceBelow = 4;
};

struct BarChart {
    struct Bar {
        QString caption;  // at the left, in bold
        double value = 0;
        QColor color = Qt::gray;
        QString valueText;  // written after the bar's end; empty: none
    };
    std::vector<Bar> bars;
    double maximum = 1000;
    std::vector<double> ticks;  // scale marks under the bars, labelled with their value
    double captionWidth = 110;
    double barHeight = 16;
    double barGap = 8;
    ReportFont font;
};

struct Picture {
    QImage image;
    QSizeF size;  // points; empty: the image's size at 96 dpi, shrunk to fit the cell
};

struct Space {
    double height = 0;
};

using CellContent = std::variant<TextField, Rule, BarChart, Picture, Space>;

struct Cell {
    double x = 0;      // from the printable area's left edge
    double width = 0;  // 0: to the printable area's right edge
    CellContent content;
};

struct BandRow {
    std::vector<Cell> cells;
    double spaceAfter = 0;
};

struct Band {
    std::vector<BandRow> rows;
    bool frame = false;  // a rectangle around the band (around each part when split)
    double framePadding = 8;
    double frameWidth = 1.0;
    QColor frameColor = Qt::black;
    QColor background = Qt::transparent;
    double spaceAfter = 0;  // gap below the band, dropped at the foot of a page

    // Shorthands for the common rows.
    Band& addText(TextField field, double x = 0, double width = 0, double spaceAfter = 0);
    Band& addRow(std::vector<Cell> cells, double spaceAfter = 0);
    Band& addRule(Rule rule = {});
};

struct PageSetup {
    QSizeF size{595.28, 841.89};                // A4 in points
    QMarginsF margins{56.7, 56.7, 56.7, 56.7};  // 20 mm
    double printableWidth() const { return size.width() - margins.left() - margins.right(); }
};

struct ReportDefinition {
    QString title;
    PageSetup page;
    Band titleBand;
    std::optional<Band> columnHeader;
    // Called for each detail band in turn; nullopt ends the report.
    std::function<std::optional<Band>()> nextDetail;
    // The footer of page n of m; unset gives "Page n of m" centred.
    std::function<Band(int page, int pageCount)> pageFooter;

    static Band DefaultFooter(int page, int pageCount);
};

}  // namespace zentrix::report
