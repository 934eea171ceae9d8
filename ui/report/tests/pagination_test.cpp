// How bands are placed on pages: moved whole, cut between lines, never lost,
// with a column header on every page and "Page n of m" at every foot.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>

#include "report_test_support.h"
#include "ui/report/report_paginator.h"

namespace zentrix::report::testing {
namespace {

double BodyBottom(const PageSetup& page) { return page.size.height() - page.margins.bottom(); }

TEST(PaginationTest, BandsThatDoNotFitMoveWholeToTheNextPage) {
    std::vector<Band> bands;
    for (int b = 1; b <= 12; ++b) bands.push_back(LinesBand(QStringLiteral("band %1").arg(b), 6));
    const RenderedReport report = Paginate(WithDetails(bands));
    ASSERT_GT(report.pages.size(), 2u);

    std::map<QString, std::set<int>> pagesOfBand;
    for (const PlacedText& t : AllText(report)) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("^(band \\d+) line")).match(t.text);
        if (m.hasMatch()) pagesOfBand[m.captured(1)].insert(t.page);
    }
    ASSERT_EQ(pagesOfBand.size(), 12u);
    for (const auto& [band, pages] : pagesOfBand)
        EXPECT_EQ(pages.size(), 1u) << band << " was split";
}

TEST(PaginationTest, BandTallerThanAPageIsCutBetweenLinesAndLosesNoLine) {
    const PageSetup page = SmallPage();
    const RenderedReport report =
        Paginate(WithDetails({LinesBand(QStringLiteral("long"), 150)}, page));
    ASSERT_GT(report.pages.size(), 3u);

    int expected = 1;
    for (const PlacedText& t : AllText(report)) {
        if (!t.text.startsWith(QStringLiteral("long line"))) continue;
        EXPECT_EQ(t.text, QStringLiteral("long line %1").arg(expected))
            << "lines lost, doubled or out of order";
        EXPECT_LT(t.baseline, BodyBottom(page)) << t.text << " runs into the page foot";
        ++expected;
    }
    EXPECT_EQ(expected, 151);
    for (const RenderedPage& p : report.pages) {
        for (const PageCommand& c : p.commands)
            EXPECT_FALSE(std::holds_alternative<ClipCommand>(c)) << "cut through a line";
    }
}

TEST(PaginationTest, UnbreakableBandTallerThanAPageIsCutThroughAndWhatFollowsIsKept) {
    Band tall;
    tall.addRow({Cell{0, 0, Space{900}}});
    tall.addRule();
    const RenderedReport report =
        Paginate(WithDetails({tall, LinesBand(QStringLiteral("after"), 1)}));
    ASSERT_GE(report.pages.size(), 3u);
    const auto texts = AllText(report);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const PlacedText& t) {
        return t.text == QStringLiteral("after line 1");
    }));
}

TEST(PaginationTest, FramedBandWithWidePaddingTallerThanAPageStillEnds) {
    Band framed = LinesBand(QStringLiteral("framed"), 60);
    framed.frame = true;
    framed.framePadding = 150;  // more than half of the small page's body
    const RenderedReport report = Paginate(WithDetails({framed}));
    ASSERT_LT(report.pages.size(), 200u);
    int lines = 0;
    for (const PlacedText& t : AllText(report))
        lines += t.text.startsWith(QStringLiteral("framed line"));
    EXPECT_EQ(lines, 60);
}

TEST(PaginationTest, ItemCutAcrossManyPagesKeepsItsPagesSmall) {
    Band tall;
    tall.addRow({Cell{0, 0, Space{30000}}});  // some eighty pages of one item
    const RenderedReport report = Paginate(WithDetails({tall}));
    ASSERT_GT(report.pages.size(), 50u);
    for (const RenderedPage& page : report.pages) EXPECT_LE(page.commands.size(), 12u);
}

TEST(PaginationTest, EveryPageEndsWithPageNOfM) {
    std::vector<Band> bands(30, LinesBand(QStringLiteral("x"), 3));
    const RenderedReport report = Paginate(WithDetails(bands));
    const int count = static_cast<int>(report.pages.size());
    ASSERT_GT(count, 1);
    for (int p = 0; p < count; ++p) {
        const QStringList lines = report.pageText(p).split(QLatin1Char('\n'));
        EXPECT_EQ(lines.last(), QStringLiteral("Page %1 of %2").arg(p + 1).arg(count));
    }
}

TEST(PaginationTest, ColumnHeaderOpensEveryPageAndTheTitleOnlyTheFirst) {
    ReportDefinition definition =
        WithDetails(std::vector<Band>(40, LinesBand(QStringLiteral("row"), 2)));
    Band header;
    header.addText(TextField::plain(QStringLiteral("Heading")));
    definition.columnHeader = header;
    const RenderedReport report = Paginate(definition);
    ASSERT_GT(report.pages.size(), 2u);
    for (size_t p = 0; p < report.pages.size(); ++p) {
        const QStringList lines = report.pageText(static_cast<int>(p)).split(QLatin1Char('\n'));
        if (p == 0) {
            EXPECT_EQ(lines.value(0), QStringLiteral("Title"));
            EXPECT_EQ(lines.value(1), QStringLiteral("Heading"));
        } else {
            EXPECT_EQ(lines.value(0), QStringLiteral("Heading")) << "page " << p + 1;
            EXPECT_FALSE(lines.contains(QStringLiteral("Title")));
        }
    }
}

TEST(PaginationTest, TextWrapsWithinItsCellAndKeepsItsAlignment) {
    Band band;
    const QString words =
        QStringLiteral("one two three four five six seven eight nine ten eleven twelve");
    band.addRow(
        {Cell{0, 100, TextField::plain(words)},
         Cell{150, 110,
              TextField::plain(QStringLiteral("77.78"), ReportFont{}, TextField::Align::Right)}});
    const RenderedReport report = Paginate(WithDetails({band}));
    std::vector<const TextCommand*> left;
    const TextCommand* right = nullptr;
    for (const PageCommand& c : report.pages[0].commands) {
        const auto* t = std::get_if<TextCommand>(&c);
        if (!t) continue;
        if (t->text == QStringLiteral("77.78")) right = t;
        if (words.contains(t->text.trimmed()) && t->text != QStringLiteral("Title"))
            left.push_back(t);
    }
    ASSERT_GT(left.size(), 2u) << "the long text did not wrap";
    QStringList joined;
    for (const TextCommand* t : left) {
        EXPECT_NEAR(t->baseline.x(), 20, 0.01);
        joined << t->text.trimmed();
    }
    EXPECT_EQ(joined.join(QLatin1Char(' ')), words);
    ASSERT_NE(right, nullptr);
    EXPECT_GT(right->baseline.x(), 20 + 150 + 60)
        << "right-aligned text starts at its cell's right";
}

TEST(PaginationTest, DetailCallbackIsAskedUntilItSaysEnd) {
    int calls = 0;
    ReportDefinition definition;
    definition.page = SmallPage();
    definition.nextDetail = [&calls]() -> std::optional<Band> {
        if (++calls > 3) return std::nullopt;
        return LinesBand(QStringLiteral("d%1").arg(calls), 1);
    };
    const RenderedReport report = Paginate(definition);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(report.pages.size(), 1u);
    EXPECT_EQ(report.pageText(0), QStringLiteral("d1 line 1\nd2 line 1\nd3 line 1\nPage 1 of 1"));
}

}  // namespace
}  // namespace zentrix::report::testing
