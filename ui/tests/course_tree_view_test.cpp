#include "ui/course_tree_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace zentrix::ui {
namespace {

// Two courses with exams, a separator and mixed rows, as the catalogue lists them.
class CourseTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* text : {"Networking", " Exam A", " Exam B", " Zentrix for Networking", "",
                                 "Security", " Exam C", " Zentrix for Security"}) {
            tree.addItem(QString::fromLatin1(text));
        }
        tree.resize(300, 120);
    }
    QPoint rowCentre(int shownRow) const {
        return QPoint(40, shownRow * CourseTreeView::kRowHeight + CourseTreeView::kRowHeight / 2);
    }
    CourseTreeView tree;
};

TEST_F(CourseTreeViewTest, LeadingBlanksGiveTheLevelAndAreNotPartOfTheTitle) {
    EXPECT_EQ(tree.itemLevel(0), 0);
    EXPECT_EQ(tree.itemLevel(1), 1);
    EXPECT_EQ(tree.itemTitle(1), "Exam A");
    EXPECT_EQ(tree.itemText(1), " Exam A");
    EXPECT_EQ(tree.itemLevel(4), 0);
    EXPECT_EQ(tree.itemTitle(99), "");
}

TEST_F(CourseTreeViewTest, FontNumbersSelectTheFourFonts) {
    struct FontCase {
        int number;
        int pixelSize;
        bool bold;
        QColor color;
    };
    const FontCase cases[] = {{1, 16, true, QColor(0, 0, 128)},
                              {2, 13, false, QColor(0, 0, 128)},
                              {3, 11, false, QColor(0, 0, 128)},
                              {4, 13, true, QColor(255, 0, 0)},
                              {0, 16, true, QColor(0, 0, 128)}};
    for (const FontCase& c : cases) {
        const CourseTreeFont& font = tree.fonts().font(c.number);
        EXPECT_EQ(font.font.pixelSize(), c.pixelSize) << c.number;
        EXPECT_EQ(font.font.bold(), c.bold) << c.number;
        EXPECT_EQ(font.color, c.color) << c.number;
    }
}

TEST_F(CourseTreeViewTest, FoldingACourseHidesItsRowsUpToTheNextTopLevelRow) {
    EXPECT_TRUE(tree.canFold(0));
    EXPECT_FALSE(tree.canFold(1));  // an exam has nothing below it
    EXPECT_FALSE(tree.canFold(4));  // nor has the separator
    tree.setCurrentItem(2);
    tree.toggleFold(0);
    EXPECT_EQ(tree.shownItems(), (std::vector<int>{0, 4, 5, 6, 7}));
    EXPECT_EQ(tree.currentItem(), 0) << "the selection moves to the folded course";
    tree.toggleFold(0);
    EXPECT_EQ(tree.shownItems().size(), 8u);
}

TEST_F(CourseTreeViewTest, SelectingAFoldedAwayRowUnfoldsItsCourse) {
    tree.toggleFold(5);
    ASSERT_FALSE(tree.isItemShown(6));
    tree.setCurrentItem(6);
    EXPECT_TRUE(tree.isItemShown(6));
    EXPECT_FALSE(tree.isFolded(5));
}

TEST_F(CourseTreeViewTest, ClickSelectsAndRepaintsWithFreshStyles) {
    int asked = 0;
    tree.setStyleProvider([&](int) {
        ++asked;
        return CourseTreeRowStyle{};
    });
    QSignalSpy clicked(&tree, &CourseTreeView::itemClicked);
    tree.show();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, rowCentre(2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(tree.currentItem(), 2);
    asked = 0;
    tree.grab();
    EXPECT_GT(asked, 0);
}

TEST_F(CourseTreeViewTest, DoubleClickAndEnterActivateTheRow) {
    QSignalSpy activated(&tree, &CourseTreeView::itemActivated);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, rowCentre(3));
    tree.setCurrentItem(-1);
    QTest::keyClick(&tree, Qt::Key_Return);  // no selection activates row 0
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 3);
    EXPECT_EQ(activated.at(1).at(0).toInt(), 0);
}

TEST_F(CourseTreeViewTest, EnterOnAnEmptyTreeActivatesNothing) {
    CourseTreeView empty;
    QSignalSpy activated(&empty, &CourseTreeView::itemActivated);
    QTest::keyClick(&empty, Qt::Key_Enter);
    EXPECT_EQ(activated.count(), 0);
}

TEST_F(CourseTreeViewTest, KeysMoveAmongShownRowsAndFold) {
    tree.toggleFold(0);
    struct KeyCase {
        Qt::Key key;
        int expectedCurrent;
    };
    const KeyCase steps[] = {{Qt::Key_Down, 0}, {Qt::Key_Down, 4},  {Qt::Key_Down, 5},
                             {Qt::Key_End, 7},  {Qt::Key_Down, 7},  {Qt::Key_Home, 0},
                             {Qt::Key_Up, 0},   {Qt::Key_Right, 0}, {Qt::Key_Down, 1}};
    for (const KeyCase& step : steps) {
        QTest::keyClick(&tree, step.key);
        EXPECT_EQ(tree.currentItem(), step.expectedCurrent) << QTest::toString(step.key);
    }
    EXPECT_FALSE(tree.isFolded(0)) << "Right unfolds the course";
    tree.setCurrentItem(5);
    QTest::keyClick(&tree, Qt::Key_Left);
    EXPECT_TRUE(tree.isFolded(5));
}

TEST_F(CourseTreeViewTest, ClearForgetsItemsAndSelection) {
    tree.setCurrentItem(3);
    tree.clear();
    EXPECT_EQ(tree.itemCount(), 0);
    EXPECT_EQ(tree.currentItem(), -1);
    EXPECT_EQ(tree.itemAt(QPoint(5, 5)), -1);
}

}  // namespace
}  // namespace zentrix::ui
