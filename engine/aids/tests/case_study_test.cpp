// The case-study window over a stand-in table: loading a case, its tabs,
// the error on activation, clearing, and the layout.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <map>

#include "engine/aids/case_tab_bar.h"
#include "engine/aids/tfrm_display_case_study.h"
#include "engine/recording_dialog_service.h"

namespace zentrix::engine::aids {
namespace {

class FakeCases : public CaseStudySource {
public:
    std::optional<questionbank::CaseStudy> FindCase(long number) override {
        ++lookups;
        auto it = cases.find(number);
        if (it == cases.end()) return std::nullopt;
        return it->second;
    }
    std::map<long, questionbank::CaseStudy> cases;
    int lookups = 0;
};

questionbank::CaseStudy makeCase(long number, int tabs,
                                 const char* title = "Harbour Street Clinic") {
    questionbank::CaseStudy c;
    c.number = number;
    c.title = title;
    c.tabCount = tabs;
    for (int k = 0; k < questionbank::CaseStudy::kMaxTabs; ++k) {
        c.tabNames[k] = "Tab name " + std::to_string(k + 1);
        c.tabTexts[k] = "{\\rtf1 text of tab " + std::to_string(k + 1) + "}";
    }
    return c;
}

struct CaseStudyFixture : ::testing::Test {
    FakeCases cases;
    RecordingDialogService dialogs;
    TfrmDisplayCaseStudy window{cases, dialogs};

    int visibleTabs() {
        int n = 0;
        for (int i = 0; i < TfrmDisplayCaseStudy::kTabs; ++i)
            n += window.PageControl1()->isTabVisible(i);
        return n;
    }
};

TEST_F(CaseStudyFixture, LoadingACaseShowsItsTitleTabsAndTexts) {
    cases.cases[7] = makeCase(7, 4);
    cases.cases[7].tabNames[1] = "Net";  // shorter than five characters
    ASSERT_TRUE(window.LoadCase(7));
    EXPECT_TRUE(window.Loaded());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Harbour Street Clinic"));
    EXPECT_EQ(window.TabsInUse(), 4);
    EXPECT_EQ(visibleTabs(), 4);
    QTabWidget* tabs = window.PageControl1();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Tab n..."));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Net..."));
    EXPECT_EQ(tabs->tabToolTip(0), QStringLiteral("Tab name 1"));
    EXPECT_EQ(tabs->tabToolTip(9), QStringLiteral("Tab name 10"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(window.edRich(k)->document()->toPlainText(),
                  QStringLiteral("text of tab %1").arg(k));
        EXPECT_TRUE(window.edRich(k)->isReadOnly());
        EXPECT_EQ(window.edRich(k)->document()->defaultFont().pointSize(), 11);
    }
    EXPECT_FALSE(window.LoadCase(8));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Harbour Street Clinic"))
        << "a failed load changes nothing";
}

TEST_F(CaseStudyFixture, TitleAndTabNamesAreReadInTheBanksCodePage) {
    cases.cases[7] = makeCase(7, 2, "\x93Harbour\x94 Caf\xe9");
    cases.cases[7].tabNames[0] = "\x80uro plans";
    ASSERT_TRUE(window.LoadCase(7));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("“Harbour” Café"));
    EXPECT_EQ(window.PageControl1()->tabToolTip(0), QStringLiteral("€uro plans"));
    EXPECT_EQ(window.PageControl1()->tabText(0), QStringLiteral("€uro ..."));
}

TEST_F(CaseStudyFixture, NoTabsDecidesWhichTabsAreVisible) {
    const struct {
        int notabs;
        int visible;
    } cases_[] = {{0, 0}, {1, 1}, {4, 4}, {10, 10}, {25, 10}, {-3, 0}};
    for (const auto& c : cases_) {
        cases.cases[1] = makeCase(1, c.notabs);
        ASSERT_TRUE(window.LoadCase(1));
        EXPECT_EQ(visibleTabs(), c.visible) << c.notabs;
    }
}

TEST_F(CaseStudyFixture, TabsGrowToTheirCaptionsAndNeverShrink) {
    cases.cases[1] = makeCase(1, 3);
    cases.cases[2] = makeCase(2, 3);
    for (auto& name : cases.cases[2].tabNames) name = "iiiii";
    cases.cases[3] = makeCase(3, 3);
    for (auto& name : cases.cases[3].tabNames) name = "WWWWW";
    const QFontMetrics metrics(window.font());
    const auto expectedWidth = [&](const char* caption) {
        return static_cast<int>(
            std::nearbyint(1.5 * metrics.horizontalAdvance(QString::fromLatin1(caption))));
    };
    ASSERT_TRUE(window.LoadCase(3));
    const QSize wide = window.TabBar()->TabSize();
    EXPECT_EQ(wide.width(), expectedWidth("WWWWW..."));
    EXPECT_EQ(wide.height(), 2 * metrics.height());
    ASSERT_TRUE(window.LoadCase(2));
    EXPECT_EQ(window.TabBar()->TabSize(), wide);
    ASSERT_TRUE(window.LoadCase(1));
    EXPECT_EQ(window.TabBar()->TabSize(), wide);
    window.show();
    EXPECT_GE(window.TabBar()->tabRect(0).width(), wide.width());
    EXPECT_GE(window.TabBar()->tabRect(0).height(), wide.height());
}

TEST_F(CaseStudyFixture, ACaseThatIsNotThereIsReportedWhenTheWindowOpens) {
    window.SetCaseNumber(99);
    window.show();
    EXPECT_EQ(dialogs.count(RecordingDialogService::Event::Beep), 1);
    EXPECT_EQ(
        dialogs.texts(RecordingDialogService::Event::Error),
        std::vector<QString>{"Could not find the associated case study record for this question."});
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible()) << "the window asks to close";
}

TEST_F(CaseStudyFixture, OpeningLoadsTheCaseOnlyWhenItIsNotLoadedAndClosingForgetsIt) {
    cases.cases[5] = makeCase(5, 2);
    window.SetCaseNumber(5);
    ASSERT_TRUE(window.LoadCase(5));
    cases.lookups = 0;
    window.show();
    EXPECT_EQ(cases.lookups, 0) << "loaded for the question already";
    window.hide();
    EXPECT_FALSE(window.Loaded());
    window.show();
    EXPECT_EQ(cases.lookups, 1);
    EXPECT_TRUE(window.Loaded());
    EXPECT_EQ(dialogs.count(RecordingDialogService::Event::Error), 0);
    QTest::mouseClick(window.btClose(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CaseStudyFixture, ClearingHidesTheLaterTabsAndClosesAfterTheCurrentEvent) {
    cases.cases[5] = makeCase(5, 6);
    window.SetCaseNumber(5);
    window.show();
    ASSERT_TRUE(window.Loaded());
    window.ClearCase();
    EXPECT_FALSE(window.Loaded());
    EXPECT_EQ(visibleTabs(), 1);
    EXPECT_TRUE(window.isVisible()) << "the close is queued";
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CaseStudyFixture, ResizingLaysOutTheTabsViewersAndButton) {
    const QSize client(700, 500);
    window.resize(client);
    window.LayOut(client);
    const int outerWidth = client.width() + TfrmDisplayCaseStudy::kFrameWidth;
    const int outerHeight = client.height() + TfrmDisplayCaseStudy::kFrameHeight;
    const QRect tabs = window.PageControl1()->geometry();
    EXPECT_EQ(tabs.width(), outerWidth - 40);
    EXPECT_EQ(tabs.height(), outerHeight - 81);
    EXPECT_EQ(window.btClose()->y(), outerHeight - 66);
    EXPECT_EQ(window.btClose()->x(), (outerWidth - 75) / 2);
    for (int k = 1; k <= TfrmDisplayCaseStudy::kTabs; ++k) {
        const QRect viewer = window.edRich(k)->geometry();
        EXPECT_EQ(viewer.width(), tabs.width() - 35);
        EXPECT_EQ(viewer.height(), tabs.height() - 49);
        const QRect bar = window.ScrollBar(k)->geometry();
        EXPECT_EQ(bar.left(), viewer.left() + viewer.width() + 1);
        EXPECT_EQ(bar.top(), viewer.top());
        EXPECT_EQ(bar.height(), viewer.height());
        EXPECT_EQ(window.ScrollBar(k)->maximum(), 10000);
    }
}

TEST_F(CaseStudyFixture, TheTabsScrollBarMovesItsViewer) {
    cases.cases[1] = makeCase(1, 1);
    std::string longText = "{\\rtf1 ";
    for (int i = 0; i < 300; ++i) longText += "a line of the case study\\par ";
    cases.cases[1].tabTexts[0] = longText + "}";
    window.show();
    window.SetCaseNumber(1);
    ASSERT_TRUE(window.LoadCase(1));
    QScrollBar* inner = window.edRich(1)->verticalScrollBar();
    ASSERT_GT(inner->maximum(), 0);
    window.ScrollBar(1)->setValue(10000);
    EXPECT_EQ(inner->value(), inner->maximum());
    inner->setValue(inner->maximum() / 2);
    EXPECT_NEAR(window.ScrollBar(1)->value(), 5000, 10);
    inner->setValue(0);
    EXPECT_EQ(window.ScrollBar(1)->value(), 0);
    EXPECT_TRUE(window.ScrollBar(1)->isEnabled());
}

}  // namespace
}  // namespace zentrix::engine::aids
