#include "ui/report/report_paginator.h"

#include <algorithm>

#include "ui/report/band_layout.h"

namespace zentrix::report {
namespace {

constexpr double kEpsilon = 0.01;
constexpr double kFooterGap = 6;
// A repeated column header is dropped when it would leave less than this
// for the details of a page.
constexpr double kMinBody = 72;

// The lowest point at or above `limit` (and above 0) that no item crosses;
// 0 when there is none.
double BestBreak(const LaidOutBand& band, double limit) {
    double best = 0;
    for (const LaidItem& candidate : band.items) {
        const double y = candidate.bottom;
        if (y <= best + kEpsilon || y > limit + kEpsilon) continue;
        bool crossed = false;
        for (const LaidItem& item : band.items) {
            if (item.top < y - kEpsilon && item.bottom > y + kEpsilon) {
                crossed = true;
                break;
            }
        }
        if (!crossed) best = y;
    }
    return best;
}

class PageBuilder {
public:
    PageBuilder(const ReportDefinition& definition, RenderedReport& report)
        : definition_(definition),
          report_(report),
          layout_(report, definition.page.margins.left(), definition.page.printableWidth(),
                  std::max(36.0, definition.page.size.height() - definition.page.margins.top() -
                                     definition.page.margins.bottom() - 48)) {
        const PageSetup& page = definition.page;
        const Band footer = definition.pageFooter ? definition.pageFooter(88888, 88888)
                                                  : ReportDefinition::DefaultFooter(88888, 88888);
        footerHeight_ = layout_.layOut(footer).height;
        bodyTop_ = page.margins.top();
        bodyBottom_ = std::max(bodyTop_ + kMinBody, page.size.height() - page.margins.bottom() -
                                                        footerHeight_ - kFooterGap);
        if (definition.columnHeader) {
            header_ = layout_.layOut(*definition.columnHeader);
            if (bodyBottom_ - bodyTop_ - header_.height < kMinBody) repeatHeader_ = false;
        }
    }

    bool full() const {
        return static_cast<int>(report_.pages.size()) >= ReportPaginator::kMaxPages;
    }

    void start() { newPage(); }

    // From here on every new page opens with the column header.
    void placeHeaderAfterTitle() {
        if (definition_.columnHeader) place(header_);
        headerOnNewPages_ = true;
    }

    void place(LaidOutBand band) {
        for (;;) {
            if (full()) return;
            const double gap = empty_ ? 0 : gap_;
            const double available = bodyBottom_ - (y_ + gap);
            if (band.height <= available + kEpsilon) {
                put(band, y_ + gap, band.height);
                y_ += gap + band.height;
                gap_ = band.spaceAfter;
                empty_ = false;
                return;
            }
            const double fresh = bodyBottom_ - freshTop();
            if (!empty_ && band.height <= fresh + kEpsilon) {
                newPage();
                continue;
            }
            // Taller than a page (or than what an empty page has left): cut.
            // The frame's padding is kept at the cut only while it leaves
            // most of the room for the band, so every cut makes progress.
            const double padding =
                band.frame ? std::clamp(band.framePadding, 0.0, (available - 1) / 2) : 0;
            const double room = available - padding;
            double cut = BestBreak(band, room);
            if (cut <= kEpsilon && !empty_) {
                newPage();
                continue;
            }
            if (cut <= kEpsilon) cut = std::max(1.0, room);  // nothing to break at: cut through
            const auto [head, rest] = split(band, cut, padding);
            put(head, y_ + gap, head.height);
            newPage();
            band = rest;
        }
    }

    void finish() {
        const int count = static_cast<int>(report_.pages.size());
        const PageSetup& page = definition_.page;
        for (int i = 0; i < count; ++i) {
            const Band footer = definition_.pageFooter
                                    ? definition_.pageFooter(i + 1, count)
                                    : ReportDefinition::DefaultFooter(i + 1, count);
            const LaidOutBand laid = layout_.layOut(footer);
            const double top = page.size.height() - page.margins.bottom() - laid.height;
            placeOn(report_.pages[i], laid, top, laid.height);
        }
    }

private:
    double freshTop() const {
        return bodyTop_ + (definition_.columnHeader && repeatHeader_ ? header_.height : 0);
    }

    void newPage() {
        report_.pages.push_back(RenderedPage{definition_.page.size, {}});
        y_ = bodyTop_;
        gap_ = 0;
        empty_ = true;
        if (headerOnNewPages_ && definition_.columnHeader && repeatHeader_) {
            put(header_, y_, header_.height);
            y_ += header_.height;
            gap_ = header_.spaceAfter;
        }
    }

    std::pair<LaidOutBand, LaidOutBand> split(const LaidOutBand& band, double cut,
                                              double padding) const {
        LaidOutBand head = band;
        LaidOutBand rest = band;
        head.items.clear();
        rest.items.clear();
        const double restShift = padding - cut;
        const double left = definition_.page.margins.left();
        const double width = definition_.page.printableWidth();
        for (const LaidItem& item : band.items) {
            if (item.bottom <= cut + kEpsilon) {
                head.items.push_back(item);
            } else if (item.top >= cut - kEpsilon) {
                LaidItem moved = item;
                moved.top += restShift;
                moved.bottom += restShift;
                if (moved.clip) moved.clip->translate(0, restShift);
                for (PageCommand& c : moved.commands) Translate(c, 0, restShift);
                rest.items.push_back(std::move(moved));
            } else {
                // Cut through: each page shows its own part of the item. The
                // part is kept as the item's clip, never as more commands, so
                // an item cut across many pages stays the same size.
                const QRectF whole =
                    item.clip.value_or(QRectF(left, item.top, width, item.bottom - item.top));
                LaidItem upper = item;
                upper.bottom = cut;
                upper.clip = whole.intersected(QRectF(left, item.top, width, cut - item.top));
                head.items.push_back(std::move(upper));
                LaidItem lower = item;
                for (PageCommand& c : lower.commands) Translate(c, 0, restShift);
                lower.top = padding;
                lower.bottom = item.bottom + restShift;
                lower.clip = whole.translated(0, restShift)
                                 .intersected(QRectF(left, padding, width, lower.bottom - padding));
                rest.items.push_back(std::move(lower));
            }
        }
        head.height = cut + padding;
        head.spaceAfter = 0;
        rest.height = band.height + restShift;
        return {std::move(head), std::move(rest)};
    }

    void put(const LaidOutBand& band, double top, double height) {
        placeOn(report_.pages.back(), band, top, height);
    }

    void placeOn(RenderedPage& page, const LaidOutBand& band, double top, double height) const {
        const QRectF area(definition_.page.margins.left(), top, definition_.page.printableWidth(),
                          height);
        if (band.background.alpha() > 0)
            page.commands.push_back(RectCommand{area, 0, Qt::transparent, band.background});
        for (const LaidItem& item : band.items) {
            if (item.clip) page.commands.push_back(ClipCommand{item.clip->translated(0, top)});
            for (PageCommand command : item.commands) {
                Translate(command, 0, top);
                page.commands.push_back(std::move(command));
            }
            if (item.clip) page.commands.push_back(ClipCommand{});
        }
        if (band.frame && band.frameWidth > 0 && height > band.frameWidth &&
            area.width() > band.frameWidth) {
            const double inset = band.frameWidth / 2;
            page.commands.push_back(RectCommand{area.adjusted(inset, inset, -inset, -inset),
                                                band.frameWidth, band.frameColor, Qt::transparent});
        }
    }

    const ReportDefinition& definition_;
    RenderedReport& report_;
    BandLayout layout_;
    LaidOutBand header_;
    bool repeatHeader_ = true;
    bool headerOnNewPages_ = false;
    double footerHeight_ = 0;
    double bodyTop_ = 0;
    double bodyBottom_ = 0;
    double y_ = 0;
    double gap_ = 0;
    bool empty_ = true;
};

}  // namespace

RenderedReport ReportPaginator::paginate(const ReportDefinition& definition) {
    truncated_ = false;
    RenderedReport report;
    report.title = definition.title;
    PageBuilder builder(definition, report);
    BandLayout layout(report, definition.page.margins.left(), definition.page.printableWidth(),
                      std::max(36.0, definition.page.size.height() - definition.page.margins.top() -
                                         definition.page.margins.bottom() - 48));
    builder.start();
    builder.place(layout.layOut(definition.titleBand));
    builder.placeHeaderAfterTitle();
    if (definition.nextDetail) {
        while (std::optional<Band> band = definition.nextDetail()) {
            if (builder.full()) {
                truncated_ = true;
                break;
            }
            builder.place(layout.layOut(*band));
        }
    }
    builder.finish();
    return report;
}

RenderedReport Paginate(const ReportDefinition& definition) {
    return ReportPaginator().paginate(definition);
}

}  // namespace zentrix::report
