#pragma once

// Lays one band out at the page's printable width: every text line, rule,
// chart and picture becomes an item with its vertical extent (from the
// band's top, in points) and its drawing commands (x from the page's left
// edge). The paginator places items and cuts bands between them.

#include <optional>
#include <vector>

#include "ui/report/rendered_report.h"
#include "ui/report/report_definition.h"

namespace zentrix::report {

struct LaidItem {
    double top = 0;
    double bottom = 0;
    std::vector<PageCommand> commands;  // y from the band's top
    // Set when the item was cut between pages: the part this page shows.
    std::optional<QRectF> clip;
};

struct LaidOutBand {
    double height = 0;
    std::vector<LaidItem> items;
    bool frame = false;
    double framePadding = 0;
    double frameWidth = 0;
    QColor frameColor;
    QColor background;
    double spaceAfter = 0;
};

class BandLayout {
public:
    // `report` collects the fonts the items use. Pictures are kept within
    // `maxPictureHeight` points.
    BandLayout(RenderedReport& report, double left, double width, double maxPictureHeight);

    LaidOutBand layOut(const Band& band);

    // Points per unit of the device text is measured on.
    static double MeasureScale();

private:
    double layOutCell(const Cell& cell, double x, double width, double top,
                      std::vector<LaidItem>& items);
    double layOutText(const TextField& field, double x, double width, double top,
                      std::vector<LaidItem>& items);
    double layOutRule(const Rule& rule, double x, double width, double top,
                      std::vector<LaidItem>& items);
    double layOutChart(const BarChart& chart, double x, double width, double top,
                       std::vector<LaidItem>& items);
    double layOutPicture(const Picture& picture, double x, double width, double top,
                         std::vector<LaidItem>& items);

    RenderedReport& report_;
    double left_;
    double width_;
    double maxPictureHeight_;
};

}  // namespace zentrix::report
