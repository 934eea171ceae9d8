#pragma once

// How the round-trip fuzzer turns bytes into a report definition, shared
// with the test that replays what it found: bands of text, rules, spaces,
// charts and pictures with arbitrary (also nonsensical) sizes, paddings and
// page setups.

#include <QImage>
#include <cstdint>
#include <memory>

#include "ui/report/report_definition.h"

namespace zentrix::report::fuzz {

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
    double number(double scale) {
        const int low = next();  // two statements: the order of the reads is fixed
        const int high = next();
        return (low | (high << 8)) * scale;
    }
    QString text() {
        const int length = next() % 40;
        QString s;
        for (int i = 0; i < length; ++i) {
            const uint8_t c = next();
            s += c % 11 == 0 ? QChar(QLatin1Char('\n'))
                             : QChar(QLatin1Char(static_cast<char>(' ' + c % 90)));
        }
        return s;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

inline Cell MakeCell(FuzzBytes& in) {
    Cell cell;
    cell.x = in.number(0.02);
    cell.width = in.number(0.02);
    switch (in.next() % 5) {
        case 0: {
            TextField field = TextField::plain(in.text());
            // A few sizes, also out of range: every new size costs the font
            // engine a new face, which would slow the fuzzer to a crawl.
            static constexpr double kSizes[] = {-20, 0, 0.5, 6, 9.5, 12, 30, 144, 500, 1e300};
            field.font.pointSize = kSizes[in.next() % 10];
            field.font.bold = in.next() & 1;
            field.align = static_cast<TextField::Align>(in.next() % 3);
            field.wordWrap = in.next() & 1;
            cell.content = field;
            break;
        }
        case 1: {
            Rule rule;
            rule.thickness = in.number(0.001) - 5;
            rule.spaceAbove = in.number(0.01) - 50;
            rule.spaceBelow = in.number(0.01) - 50;
            cell.content = rule;
            break;
        }
        case 2:
            cell.content = Space{in.number(0.01) - 100};
            break;
        case 3: {
            BarChart chart;
            const int bars = in.next() % 4;
            for (int i = 0; i < bars; ++i) {
                BarChart::Bar bar;
                bar.caption = in.text();
                bar.value = in.number(1) - 30000;
                bar.color = Qt::blue;
                bar.valueText = in.text();
                chart.bars.push_back(bar);
            }
            chart.maximum = in.number(1) - 1000;
            chart.captionWidth = in.number(0.02);
            chart.barHeight = in.number(0.002) - 20;
            if (in.next() & 1) {
                const double tick = in.number(1);
                chart.ticks = {0, tick, -5};
            }
            cell.content = chart;
            break;
        }
        default: {
            QImage image(1 + in.next() % 64, 1 + in.next() % 64, QImage::Format_ARGB32);
            const int red = in.next(), green = in.next(), blue = in.next(), alpha = in.next();
            image.fill(QColor(red, green, blue, alpha));
            const double width = in.number(0.05) - 100;
            const double height = in.number(0.05) - 100;
            cell.content = Picture{image, QSizeF(width, height)};
            break;
        }
    }
    return cell;
}

inline Band MakeBand(FuzzBytes& in) {
    Band band;
    band.frame = in.next() & 1;
    band.framePadding = in.number(0.01) - 50;
    band.frameWidth = in.number(0.0005);
    if (in.next() & 1) band.background = QColor(200, 200, 200);
    band.spaceAfter = in.number(0.01) - 50;
    const int rows = in.next() % 6;
    for (int r = 0; r < rows; ++r) {
        std::vector<Cell> cells;
        const int count = in.next() % 4;
        for (int c = 0; c < count; ++c) cells.push_back(MakeCell(in));
        band.addRow(std::move(cells), in.number(0.01) - 50);
    }
    return band;
}

// The definition the bytes describe. Its detail callback reads `bytes`,
// which must outlive the pagination.
inline ReportDefinition DefinitionOfFuzzBytes(const std::shared_ptr<FuzzBytes>& bytes) {
    FuzzBytes& in = *bytes;
    ReportDefinition definition;
    // Pages from 100 points up: smaller ones are legal but make thousands of
    // pages, which says nothing new and slows the fuzzer down.
    const double pageWidth = 100 + in.number(0.02);
    const double pageHeight = 100 + in.number(0.02);
    definition.page.size = QSizeF(pageWidth, pageHeight);
    const double left = in.number(0.002), top = in.number(0.002), right = in.number(0.002),
                 bottom = in.number(0.002);
    definition.page.margins = QMarginsF(left, top, right, bottom);
    definition.titleBand = MakeBand(in);
    if (in.next() & 1) definition.columnHeader = MakeBand(in);
    auto details = std::make_shared<int>(0);
    definition.nextDetail = [bytes, details]() -> std::optional<Band> {
        if (!bytes->more() || ++*details > 12) return std::nullopt;
        return MakeBand(*bytes);
    };
    return definition;
}

}  // namespace zentrix::report::fuzz
