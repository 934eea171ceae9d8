// One attempt on the bundled demo as a learner takes it, each screen saved as
// a picture under the build folder (demo/attempt-screens/) for a person to
// look at: the main screen, the exam type, questions of every kind (with an
// exhibit, a case study and a simulation), the score popup, the jump-to
// dialog, the review list, the results and a mixed exam.

#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QSpinBox>

#include "demo_attempt_fixture.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_screen.h"
#include "engine/screens/tfrm_jump_to.h"

namespace zentrix::demo {
namespace {

using engine::ScreenId;

TEST_F(DemoAttempt, OneAttemptOfEachKindWithAPictureOfEachScreen) {
    using namespace questionbank;
    main->vsiTestSelectBox()->setCurrentItem(row("NET-SVC", kExamRow));
    shot("01-main.png");
    main->SelectExamRow(row("NET-SVC", kExamRow));
    ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
    shot("02-exam-type.png");
    QTest::mouseClick(main->control("btnOpenBook"), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_TRUE(dialogs.entries().empty()) << dialogs.entries().front().text.toStdString();

    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.TYPE == kSingleChoice; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    shot("03-single-choice.png");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.TYPE == kMultipleChoice; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    shot("04-multiple-choice-marked-with-score.png");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.CaseID > 0; }));
    EXPECT_TRUE(test().btnCaseStudy()->isVisible());
    shot("05-case-study-question.png");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.TYPE == kSimulation; }));
    EXPECT_TRUE(test().SimulationWidget()->isVisible());
    shot("06-simulation.png");

    engine::TfrmJumpTo& jump = main->Attempt()->JumpTo();
    dialogs.answerNextDialog([&](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(jump.grab().save(out + "/07-jump-to.png"));
        jump.lstboxQuestions()->setCurrentRow(0);
        QTest::mouseClick(jump.btnOK(), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(test().btnJumpTo(), Qt::LeftButton);
    EXPECT_EQ(main->Attempt()->Attempt().CurrentItem(), 0);
    main->activateWindow();  // the dialog shown for its picture took the activation
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    while (main->CurrentScreen() == ScreenId::TestWindow) next();
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    shot("08-review.png");
    EXPECT_EQ(main->Attempt()->Review().lbRem()->text(), "0") << "every item was seen";
    QTest::mouseClick(main->Attempt()->Review().btnExamResults(), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
    shot("09-results.png");
    QTest::mouseClick(main->Attempt()->Results().btnResultsMain(), Qt::LeftButton);

    // A closed-book exam with an exhibit, the countdown running.
    main->SelectExamRow(row("NET-FUND", kExamRow));
    QTest::mouseClick(main->control("btnClosedBook"), Qt::LeftButton);
    clock->Advance(engine::TimeOfDay(0, 3, 12));
    main->Attempt()->Timer1Timer();
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return !q.GRAPHIC.empty(); }));
    EXPECT_TRUE(test().btnExhibit()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    shot("10-closed-book-exhibit.png");
    ASSERT_TRUE(nextUntil([](const TestQuestionInfo& q) { return q.TYPE == kTrueFalse; }));
    shot("11-true-false.png");
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    QTest::mouseClick(test().btnTMain(), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::MainInterface);

    // The mixed exam of the Linux course.
    main->SelectExamRow(row("", kMixedRow, "LINUXADM"));
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ComfirmQV);
    shot("12-confirm-mixed.png");
    QTest::mouseClick(main->control("btnConfirmBegin"), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    shot("13-mixed.png");
    while (main->CurrentScreen() == ScreenId::TestWindow) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
        next();
    }
    shot("14-mixed-review.png");
    QTest::mouseClick(main->Attempt()->Review().btnExamResults(), Qt::LeftButton);
    shot("15-mixed-results.png");
}

}  // namespace
}  // namespace zentrix::demo
