// The steps window: placement beside the main window, the toggle with its
// tag, and the section list's rows.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include "engine/aids/tsteps.h"

namespace zentrix::engine::aids {
namespace {

const QRect kMain(100, 50, 640, 480);

TEST(StepsTest, ShowingPlacesTheWindowAtTheMainWindowsRightEdge) {
    TSteps steps;
    steps.ToggleFromMainWindow(kMain);
    EXPECT_TRUE(steps.isVisible());
    EXPECT_EQ(steps.pos(), QPoint(100 + 640 - steps.width() - 15, 50 + 127));
    EXPECT_EQ(steps.windowTitle(), QStringLiteral("Steps"));
    EXPECT_TRUE(steps.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(steps.minimumSize(), steps.maximumSize()) << "fixed border";
}

TEST(StepsTest, TheButtonsFlipTheTagAndHideTheWindowOpenedByTheToggle) {
    // Each row: the action, then whether the window is shown and its tag.
    enum Action { MainButton, StepsButton, CloseButton };
    const struct {
        Action action;
        bool visible;
        int tag;
    } sequence[] = {
        {MainButton, true, 1},   {MainButton, false, 0}, {MainButton, true, 1},
        {StepsButton, false, 0}, {MainButton, true, 1},  {CloseButton, false, 0},
        {MainButton, true, 1},
    };
    TSteps steps;
    int row = 0;
    for (const auto& step : sequence) {
        switch (step.action) {
            case MainButton:
                steps.ToggleFromMainWindow(kMain);
                break;
            case StepsButton:
                QTest::mouseClick(steps.btnSteps(), Qt::LeftButton);
                break;
            case CloseButton:
                QTest::mouseClick(steps.btnClose(), Qt::LeftButton);
                break;
        }
        EXPECT_EQ(steps.isVisible(), step.visible) << "row " << row;
        EXPECT_EQ(steps.Tag(), step.tag) << "row " << row;
        ++row;
    }
}

TEST(StepsTest, TheCloseButtonClosesAWindowShownOtherwise) {
    TSteps steps;
    steps.PlaceBeside(kMain);
    steps.show();
    ASSERT_EQ(steps.Tag(), 0);
    QTest::mouseClick(steps.btnClose(), Qt::LeftButton);
    EXPECT_FALSE(steps.isVisible());
    steps.show();
    QTest::keyClick(&steps, Qt::Key_Escape);
    EXPECT_FALSE(steps.isVisible());
}

TEST(StepsTest, EachStepIsAHeadedRowTallEnoughForItsWrappedText) {
    TSteps steps;
    steps.SetTitle(QStringLiteral("Give the PC a static address"));
    steps.AddStep(QStringLiteral("Step 1: "),
                  QStringLiteral("Open the network settings & choose Manual."));
    steps.AddStep(
        QStringLiteral("Step 2: "),
        QStringLiteral(
            "Type the address 192.168.10.25 into the address field, the mask into the mask field "
            "and the gateway into the gateway field, then check all three again."));
    steps.show();
    ui::TSpecialListBox* list = steps.ListBox1();
    ASSERT_EQ(list->count(), 2);
    ASSERT_EQ(list->RowHeadings().size(), 2u);
    EXPECT_EQ(list->RowHeadings()[1].heading, QStringLiteral("Step 2: "));
    EXPECT_EQ(list->RowHeadings()[1].kind, ui::TSpecialListBox::kHeadingRow);
    EXPECT_EQ(list->Spacing(), 4);
    EXPECT_TRUE(list->SectionFont().bold());
    EXPECT_TRUE(QFontInfo(list->SectionFont()).styleHint() == QFont::Serif ||
                list->SectionFont().family() == QStringLiteral("Times New Roman"));
    EXPECT_EQ(steps.lblTitle()->text(), QStringLiteral("Give the PC a static address"));

    const int width = list->viewport()->width();
    const QFontMetrics metrics(list->font());
    const int letter = metrics.boundingRect(QLatin1Char('A')).height();
    for (int row = 0; row < 2; ++row) {
        const QRect text = list->TextRect(row, QRect(0, 0, width, 10));
        EXPECT_GE(
            text.left(),
            QFontMetrics(list->SectionFont()).horizontalAdvance(list->RowHeadings()[row].heading) +
                4)
            << "the text starts after the heading drawn in its own font";
        EXPECT_EQ(text.right(), width - 1 - 5);
        const int needed = metrics
                               .boundingRect(QRect(0, 0, text.width(), 10),
                                             ui::TSpecialListBox::kTextFlags, list->RowText(row))
                               .height();
        EXPECT_EQ(list->MeasureRow(row, width), needed + letter);
        EXPECT_EQ(list->visualItemRect(list->item(row)).height(), needed + letter);
    }
    EXPECT_GT(list->MeasureRow(1, width), list->MeasureRow(0, width)) << "the long step wraps";

    steps.Clear();
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(list->RowHeadings().empty());
}

}  // namespace
}  // namespace zentrix::engine::aids
