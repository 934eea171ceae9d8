// Tried as a learner with a screen reader or without a mouse would: what the
// accessibility tree shows on each screen, where Tab goes, and that the
// focus can be seen.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <set>

#include "attempt_screen_fixture.h"
#include "engine/screen_layout_table.h"

namespace zentrix::engine::testing {
namespace {

std::set<std::string> controlsOf(ScreenId screen) {
    std::set<std::string> names;
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        names.insert(placement.control);
    }
    if (screen == ScreenId::TestWindow) names.insert("TestScrollBox");
    return names;
}

class AccessibilityTest : public AttemptScreenTest {
protected:
    // Every control of the other screens is hidden, so it takes no focus and
    // assistive technology reports it invisible.
    void expectOnlyScreenShown(ScreenId screen) {
        const std::set<std::string> own = controlsOf(screen);
        for (ScreenId other : kAllScreens) {
            if (other == screen) continue;
            for (const std::string& name : controlsOf(other)) {
                if (own.count(name)) continue;
                QWidget* widget = main->control(name.c_str());
                ASSERT_NE(widget, nullptr) << name;
                EXPECT_FALSE(widget->isVisible()) << name << " shows on screen " << int(screen);
                QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
                ASSERT_NE(node, nullptr) << name;
                EXPECT_TRUE(node->state().invisible) << name << " is reported on " << int(screen);
            }
        }
    }
    // Tab visits only visible controls of this screen (or the question's choices).
    void expectTabStaysOnScreen(ScreenId screen) {
        const std::set<std::string> own = controlsOf(screen);
        for (int i = 0; i < 30; ++i) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr) << "step " << i;
            EXPECT_TRUE(focus->isVisible()) << focus->objectName().toStdString();
            const bool inQuestion = test().TestScrollBox()->isAncestorOf(focus);
            EXPECT_TRUE(own.count(focus->objectName().toStdString()) || inQuestion ||
                        focus->objectName() == "btnMark")
                << focus->objectName().toStdString() << " takes the focus on " << int(screen);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    }
    // Every shown control has a name to be read out.
    void expectNamedControls() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(main.get());
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* child = window->child(i);
            if (!child || child->state().invisible) continue;
            EXPECT_FALSE(child->text(QAccessible::Name).isEmpty())
                << child->object()->objectName().toStdString() << " has no accessible name";
        }
    }
};

TEST_F(AccessibilityTest, EachScreenShowsOnlyItsOwnControls) {
    expectOnlyScreenShown(ScreenId::MainInterface);
    expectNamedControls();
    main->edName()->setText("Ada");
    main->SelectExamRow(kNet1Row);
    expectOnlyScreenShown(ScreenId::QVTestType);
    expectNamedControls();
    EXPECT_EQ(QApplication::focusWidget(), main->control("btnOpenBook"));
    // Keys on the exam type screen go to its controls...
    main->edtNumQuestions()->setFocus();
    QTest::keyClick(main->edtNumQuestions(), Qt::Key_Down);
    EXPECT_EQ(main->edtNumQuestions()->value(), 11);
    QTest::keyClick(main->edtNumQuestions(), Qt::Key_Up);
    // ...and none reaches them once the test screen is shown.
    QTest::mouseClick(main->control("btnOpenBook"), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    expectOnlyScreenShown(ScreenId::TestWindow);
    expectNamedControls();
    for (int k : {Qt::Key_5, Qt::Key_Up, Qt::Key_Down, Qt::Key_Backspace, Qt::Key_9}) key(k);
    EXPECT_EQ(main->edtNumQuestions()->value(), 12) << "the parked spin box takes no keys";
    EXPECT_FALSE(main->edtNumQuestions()->hasFocus());
    expectTabStaysOnScreen(ScreenId::TestWindow);

    for (int i = 0; i < 12; ++i) click(test().btnRight());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    expectOnlyScreenShown(ScreenId::ExamReview);
    expectNamedControls();
    expectTabStaysOnScreen(ScreenId::ExamReview);
    click(review().btnExamResults());
    expectOnlyScreenShown(ScreenId::ExamResults);
    expectNamedControls();
    expectTabStaysOnScreen(ScreenId::ExamResults);
    click(results().btnResultsMain());
    main->SelectExamRow(kNetMixedRow);
    expectOnlyScreenShown(ScreenId::ComfirmQV);
    EXPECT_EQ(QApplication::focusWidget(), main->control("btnConfirmBegin"));
}

TEST_F(AccessibilityTest, AScreenReaderHearsTheQuestionItsChoicesAndTheMark) {
    startSingle(ExamMode::OpenBook);
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(test().lbQuestionNo()->text(), "Question 3 of 12");
    QAccessibleInterface* number = QAccessible::queryAccessibleInterface(test().lbQuestionNo());
    EXPECT_EQ(number->text(QAccessible::Name), "Question 3 of 12");
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(test().TestScrollBox());
    EXPECT_EQ(area->text(QAccessible::Name), "Question 3 of 12");
    QAccessibleInterface* choice =
        QAccessible::queryAccessibleInterface(test().Answer(1)->RadioButton());
    EXPECT_EQ(choice->text(QAccessible::Name), "B: wrong");
    EXPECT_EQ(QApplication::focusWidget(), test().Answer(0)->RadioButton())
        << "the focus waits on the first choice";
    QAccessibleInterface* mark = QAccessible::queryAccessibleInterface(test().btnMark());
    EXPECT_FALSE(mark->state().checked);
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(mark->state().checked);
    EXPECT_EQ(mark->text(QAccessible::Description), "Marked for review");
}

TEST_F(AccessibilityTest, TheFocusOfAButtonCanBeSeen) {
    startSingle(ExamMode::OpenBook);
    ui::PictureButton* next = test().btnRight();
    next->clearFocus();
    const QImage plain = next->grab().toImage();
    next->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(next->hasFocus());
    EXPECT_NE(next->grab().toImage(), plain);
}

}  // namespace
}  // namespace zentrix::engine::testing
