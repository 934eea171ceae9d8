// The test screen driven with real mouse and key events: the question and
// its answer widgets, moving, marking, the aids' buttons, simulations and the
// countdown.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>

#include "attempt_screen_fixture.h"
#include "engine/attempt/attempt_messages.h"
#include "engine/screens/treport_popup.h"
#include "questionbank/bank_records.h"

namespace zentrix::engine::testing {
namespace {

using namespace questionbank;
using Event = RecordingDialogService::Event;

MemoryQuestion question(int type, std::string title, std::vector<std::string> choices,
                        std::string key) {
    MemoryQuestion q;
    q.type = type;
    q.title = title;
    q.text = "Text of " + title;
    q.choices = std::move(choices);
    q.key = std::move(key);
    return q;
}

class TestScreenTest : public AttemptScreenTest {
protected:
    void SetUp() override {
        AttemptScreenTest::SetUp();
        bank->exams["NET1"].questions = {
            question(kSingleChoice, "single", {"one", "two", "three", "four"}, "3"),
            question(kTrueFalse, "true-false", {}, "TRUE"),
            question(kMultipleChoice, "multiple", {"a", "b", "c"}, "5"),
            question(kSingleChoice, "short", {"yes", "no"}, "1"),
        };
    }
};

TEST_F(TestScreenTest, ChoicesStackSevenPixelsApartUnderTheQuestion) {
    MemoryQuestion& first = bank->exams["NET1"].questions[0];
    first.text = std::string(900, 'x').replace(100, 1, " ").replace(300, 1, " ");
    for (int i = 0; i < 60; ++i) first.text[static_cast<size_t>(i * 15)] = ' ';
    first.choices[1] = std::string(400, 'y');
    for (int i = 0; i < 40; ++i) first.choices[1][static_cast<size_t>(i * 9)] = ' ';
    startSingle(ExamMode::OpenBook);

    const QLabel* q = test().lblQuestion();
    EXPECT_EQ(q->y(), 1);
    EXPECT_EQ(q->width(), TestScreen::kQuestionLabelWidth);
    EXPECT_GT(q->height(), 40) << "a long text wraps over several lines";
    ASSERT_EQ(test().AnswersInUse(), 4);
    int expectedTop = q->y() + q->height() + 7;
    for (int i = 0; i < 4; ++i) {
        const TAnswer& a = *test().Answer(i);
        EXPECT_EQ(a.Top(), expectedTop) << i;
        EXPECT_EQ(a.RadioButton()->y(), expectedTop);
        EXPECT_EQ(a.Label()->y(), expectedTop + 1) << "the label sits a pixel lower";
        EXPECT_EQ(a.Label()->x(), a.RadioButton()->x() + 38);
        EXPECT_EQ(a.Label()->width(), TestScreen::kAnswerLabelWidth);
        EXPECT_EQ(a.RadioButton()->size(), QSize(35, 23));
        EXPECT_EQ(a.RadioButton()->text(), QString(QChar(u'A' + i)));
        EXPECT_TRUE(a.RadioButton()->isVisible());
        EXPECT_FALSE(a.CheckBox()->isVisible());
        expectedTop += a.LabelHeight() + 7;
    }
    EXPECT_GT(test().Answer(1)->LabelHeight(), 30) << "a long choice wraps too";
    EXPECT_EQ(test().Answer(0)->RadioButton()->accessibleName(), "A: one");
    EXPECT_GE(test().QuestionContent()->height(), test().Answer(3)->Label()->geometry().bottom())
        << "the question area scrolls to the last choice";
    EXPECT_EQ(test().lbQuestionNo()->text(), "Question 1 of 4");
    EXPECT_EQ(test().TestScrollBox()->geometry(), QRect(10, 26, 621, 381));
}

TEST_F(TestScreenTest, EachTypeShowsItsWidgetsAndAnswersComeBackOnReturn) {
    startSingle(ExamMode::OpenBook);
    choose(2);  // single: "three"
    EXPECT_TRUE(test().Answer(2)->Selected());
    click(test().btnRight());

    ASSERT_EQ(test().AnswersInUse(), 2);
    EXPECT_EQ(test().Answer(0)->Text(), "True");
    EXPECT_EQ(test().Answer(1)->Text(), "False");
    EXPECT_TRUE(test().Answer(0)->RadioButton()->text().isEmpty()) << "true/false has no letters";
    EXPECT_EQ(test().Answer(0)->RadioButton()->accessibleName(), "True");
    choose(1);
    click(test().btnRight());

    ASSERT_EQ(test().AnswersInUse(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(test().Answer(i)->CheckBox()->isVisible()) << i;
        EXPECT_FALSE(test().Answer(i)->RadioButton()->isVisible()) << i;
    }
    choose(0);
    choose(2);
    click(test().btnLeft());
    click(test().btnLeft());

    EXPECT_TRUE(test().Answer(2)->Selected());
    EXPECT_FALSE(test().Answer(0)->Selected());
    click(test().btnRight());
    EXPECT_TRUE(test().Answer(1)->Selected());
    click(test().btnRight());
    EXPECT_TRUE(test().Answer(0)->Selected());
    EXPECT_FALSE(test().Answer(1)->Selected());
    EXPECT_TRUE(test().Answer(2)->Selected());

    const ExamItems& items = attempt().Items();
    EXPECT_TRUE(items[0].Answered && items[0].Correct);
    EXPECT_EQ(items[0].GivenAnswer, 3);
    EXPECT_TRUE(items[1].Answered && !items[1].Correct);
    EXPECT_EQ(items[1].GivenAnswer, 1);
    EXPECT_EQ(items[2].GivenAnswer, 5);
    EXPECT_TRUE(items[2].Correct);
    EXPECT_EQ(items[0].QuestionId, FakeExamBank::idOf("NET1", 1));
}

TEST_F(TestScreenTest, AnswerWidgetsAreReusedAndNeverFreed) {
    startSingle(ExamMode::OpenBook);
    std::vector<const TAnswer*> first;
    for (int i = 0; i < 4; ++i) first.push_back(test().Answer(i));
    for (int i = 0; i < 3; ++i) click(test().btnRight());
    EXPECT_EQ(test().AnswersInUse(), 2);
    EXPECT_EQ(test().AnswerWidgetCount(), 4);
    EXPECT_FALSE(test().Answer(2)->IsVisible()) << "the widgets not in use are hidden";
    for (int i = 0; i < 3; ++i) click(test().btnLeft());
    EXPECT_EQ(test().AnswerWidgetCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(test().Answer(i), first[static_cast<size_t>(i)]);
}

TEST_F(TestScreenTest, ADamagedChoiceCountShowsNoMoreThanTheLettersAToZ) {
    bank->exams["NET1"].questions[0].choices.assign(5000, "choice");
    startSingle(ExamMode::OpenBook);
    EXPECT_EQ(test().AnswersInUse(), TestScreen::kMaxChoicesShown);
    EXPECT_EQ(test().Answer(25)->RadioButton()->text(), "Z");
    key(Qt::Key_Z);
    click(test().btnRight());
    EXPECT_EQ(attempt().Items()[0].GivenAnswer, 26);
}

TEST_F(TestScreenTest, AChangedKindShowsItsButtonOnlyWhenShownAgain) {
    startSingle(ExamMode::OpenBook);
    TAnswer& answer = *test().Answer(0);
    answer.SetKind(true);
    EXPECT_TRUE(answer.RadioButton()->isVisible()) << "the shown button is not swapped";
    EXPECT_FALSE(answer.CheckBox()->isVisible());
    answer.SetVisible(false);
    answer.SetVisible(true);
    EXPECT_TRUE(answer.CheckBox()->isVisible());
    EXPECT_FALSE(answer.RadioButton()->isVisible());
}

TEST_F(TestScreenTest, ASingleChoiceCannotBeUnansweredAndALabelClickPicks) {
    startSingle(ExamMode::OpenBook);
    QTest::mouseClick(test().Answer(1)->Label(), Qt::LeftButton);
    EXPECT_TRUE(test().Answer(1)->Selected()) << "a click on the text picks the choice";
    click(test().Answer(1)->RadioButton());
    EXPECT_TRUE(test().Answer(1)->Selected()) << "a radio button cannot be cleared";
    click(test().btnRight());
    EXPECT_TRUE(attempt().Items()[0].Answered);
}

TEST_F(TestScreenTest, TheKeyboardAnswersMovesAndMarks) {
    startSingle(ExamMode::OpenBook);
    // Keys typed into the test screen must not reach the parked spin box.
    const int spin = main->edtNumQuestions()->value();
    key(Qt::Key_C);
    EXPECT_TRUE(test().Answer(2)->Selected());
    EXPECT_EQ(QApplication::focusWidget(), test().Answer(2)->RadioButton()) << "the focus follows";
    key(Qt::Key_2);
    EXPECT_TRUE(test().Answer(1)->Selected());
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(attempt().Items()[0].Marked);
    EXPECT_EQ(test().MarkTag(), 0);
    EXPECT_TRUE(test().btnMark()->isChecked());
    key(Qt::Key_Return);
    EXPECT_EQ(attempt().CurrentItem(), 1);
    EXPECT_EQ(attempt().Items()[0].GivenAnswer, 2);
    EXPECT_EQ(test().MarkTag(), 1) << "the next question is not marked";

    key(Qt::Key_F);
    EXPECT_TRUE(test().Answer(1)->Selected());
    key(Qt::Key_T);
    EXPECT_TRUE(test().Answer(0)->Selected());
    key(Qt::Key_Right);
    EXPECT_EQ(attempt().Items()[1].GivenAnswer, 0);

    key(Qt::Key_A);
    key(Qt::Key_C);
    key(Qt::Key_A);  // multiple choice: a letter toggles its choice
    EXPECT_FALSE(test().Answer(0)->Selected());
    EXPECT_TRUE(test().Answer(2)->Selected());
    key(Qt::Key_Left);
    EXPECT_EQ(attempt().CurrentItem(), 1);
    EXPECT_EQ(attempt().Items()[2].GivenAnswer, 4);
    key(Qt::Key_Left);
    EXPECT_EQ(test().MarkTag(), 0) << "the marked question shows its mark again";
    EXPECT_EQ(main->edtNumQuestions()->value(), spin);
    EXPECT_FALSE(main->edtNumQuestions()->isVisible());
}

TEST_F(TestScreenTest, MarkButtonFlipsItsTagAndPicture) {
    QImage open(22, 22, QImage::Format_RGB32);
    open.fill(Qt::white);
    QImage closed(22, 22, QImage::Format_RGB32);
    closed.fill(Qt::red);
    ASSERT_TRUE(open.save(QString::fromStdString(folder("graphics") + "open.png")));
    ASSERT_TRUE(closed.save(QString::fromStdString(folder("graphics") + "closed.png")));
    writeFile(folder("graphics") + "scheme.ini",
              "[Test Screen]\nbtnMOpen=open.png\nbtnMClosed=closed.png\n");
    main->LoadSkin(main->Folders().GraphicDir);
    startSingle(ExamMode::ClosedBook);
    EXPECT_TRUE(test().btnMark()->isVisible());
    EXPECT_EQ(test().btnMark()->picture().toImage().pixelColor(5, 5), QColor(Qt::white));
    click(test().btnMark());
    EXPECT_EQ(test().MarkTag(), 0);
    EXPECT_EQ(test().btnMark()->picture().toImage().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(attempt().Items()[0].Marked);
    click(test().btnMark());
    EXPECT_EQ(test().MarkTag(), 1);
    EXPECT_FALSE(attempt().Items()[0].Marked);
}

TEST_F(TestScreenTest, HintAndReferenceButtonsFollowTheTextsInOpenBookOnly) {
    std::vector<MemoryQuestion>& q = bank->exams["NET1"].questions;
    q[0].hint = "";
    q[0].reference = "";
    q[1].hint = "  Think\n of a repeater.  ";
    q[1].reference = "Chapter 2";
    startSingle(ExamMode::OpenBook);
    // Even the first question offers no empty hint or reference.
    EXPECT_FALSE(test().btnHint()->isVisible());
    EXPECT_FALSE(test().btnReference()->isVisible());
    click(test().btnRight());
    EXPECT_TRUE(test().btnHint()->isVisible());
    EXPECT_TRUE(test().btnReference()->isVisible());
    // A lone line feed breaks the line as a carriage return; the ends are trimmed.
    EXPECT_EQ(aids().Hint().Hint()->toPlainText(), "Think\n of a repeater.");
    key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(aids().Hint().isVisible());
    click(test().btnHint());
    EXPECT_FALSE(aids().Hint().isVisible());
    click(test().btnReference());
    EXPECT_TRUE(aids().References().isVisible());
    click(test().btnTMain());  // answered "no"
    EXPECT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    click(test().btnTMain());
    EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    EXPECT_FALSE(aids().References().isVisible()) << "leaving the test hides the aids";
    EXPECT_TRUE(aids().References().IsEmpty());

    startSingle(ExamMode::ClosedBook);
    click(test().btnRight());
    EXPECT_FALSE(test().btnHint()->isVisible());
    EXPECT_FALSE(test().btnReference()->isVisible());
    key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(aids().Hint().isVisible());
}

TEST_F(TestScreenTest, ExhibitAndCaseStudyButtonsAppearOnlyWithTheirContent) {
    std::vector<MemoryQuestion>& q = bank->exams["NET1"].questions;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QString::fromStdString(folder("data") + "router.png")));
    bank->fileFolder = folder("data");
    q[0].graphic = "router.png";
    q[1].graphic = "missing.png";
    q[2].caseId = 2;
    q[3].caseId = 9;
    bank->exams["NET1"].cases[2] = HarbourClinicCase();
    startSingle(ExamMode::OpenBook);

    EXPECT_TRUE(test().btnExhibit()->isVisible());
    EXPECT_EQ(aids().ExhibitPath().toStdString(), folder("data") + "router.png");
    EXPECT_FALSE(test().btnCaseStudy()->isVisible()) << "no case for this question";
    click(test().btnExhibit());
    EXPECT_EQ(dialogs.texts(Event::Dialog).back(), "Exhibit - Click on graphic to close window.");
    click(test().btnRight());
    EXPECT_FALSE(test().btnExhibit()->isVisible()) << "a file that cannot be written";
    EXPECT_EQ(dialogs.count(Event::Error), 1);
    click(test().btnRight());
    EXPECT_TRUE(test().btnCaseStudy()->isVisible());
    EXPECT_EQ(aids().CaseStudy().CaseNumber(), 2);
    key(Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(aids().CaseStudy().isVisible());
    EXPECT_EQ(aids().CaseStudy().windowTitle(), "Harbour clinic");
    main->activateWindow();  // the case window took the activation
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    click(test().btnRight());
    EXPECT_FALSE(test().btnCaseStudy()->isVisible()) << "case 9 is not in the table";
    EXPECT_EQ(aids().CaseStudy().CaseNumber(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !aids().CaseStudy().isVisible(); }));

    bank->exams["NET1"].cases.clear();
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    click(test().btnTMain());
    startSingle(ExamMode::OpenBook);
    EXPECT_FALSE(test().btnCaseStudy()->isVisible())
        << "an exam without case studies never shows the button";
}

TEST_F(TestScreenTest, SimulationsTakeTheirAreaAndTheirOutcomeMovesOn) {
    MemoryQuestion sim = question(kSimulation, "simulation", {"Open it", "Type", "Save"}, "");
    sim.graphic = "config.sim";
    bank->exams["NET1"].questions.insert(bank->exams["NET1"].questions.begin(), sim);
    bank->fileFolder = folder("data");
    writeFile(folder("data") + "config.sim", "not a simulation");
    startSingle(ExamMode::OpenBook);

    EXPECT_EQ(test().TestScrollBox()->geometry(), QRect(10, 26, 621, 58));
    EXPECT_EQ(test().SimulationWidget()->geometry(), QRect(10, 84, 621, 327));
    EXPECT_TRUE(test().SimulationWidget()->isVisible());
    EXPECT_EQ(panel().LoadedPath().toStdString(), folder("data") + "config.sim");
    EXPECT_EQ(test().AnswersInUse(), 0);
    EXPECT_TRUE(test().btnSteps()->isVisible());
    EXPECT_EQ(stepRows(), (QStringList{"Step 1: Open it", "Step 2: Type", "Step 3: Save"}));
    EXPECT_EQ(aids().Steps().lblTitle()->text(), "simulation");

    const int stops = panel().StopCount();
    panel().ReportCorrect();
    QTRY_COMPARE(attempt().CurrentItem(), 1);
    EXPECT_GT(panel().StopCount(), stops) << "the simulation left is stopped";
    EXPECT_TRUE(attempt().Items()[0].Answered);
    EXPECT_TRUE(attempt().Items()[0].Correct);
    EXPECT_EQ(test().TestScrollBox()->geometry(), QRect(10, 26, 621, 381));
    EXPECT_EQ(test().SimulationWidget()->geometry(), QRect(1, 1, 1, 1));

    click(test().btnLeft());
    panel().ReportIncorrect(2);
    QTRY_COMPARE(attempt().CurrentItem(), 1);
    EXPECT_FALSE(attempt().Items()[0].Correct);
    EXPECT_EQ(attempt().Items()[0].GivenAnswer, 1);
}

TEST_F(TestScreenTest, ClosedBookCountsDownAndTimeUpEndsOnTheReview) {
    bank->exams["NET1"].questions.resize(10, question(kSingleChoice, "q", {"a", "b"}, "1"));
    startSingle(ExamMode::ClosedBook);
    EXPECT_EQ(attempt().TimeLimit(), "0:20");
    EXPECT_TRUE(test().lblTime()->isVisible());
    EXPECT_TRUE(test().lbTimeRemaining()->isVisible());
    EXPECT_EQ(test().lbTimeRemaining()->text(), "Time Remaining");
    EXPECT_EQ(test().lblTime()->text(), "00:20:00");
    EXPECT_TRUE(controller().TimerActive());
    clock->Advance(TimeOfDay(0, 5, 30));
    controller().Timer1Timer();
    EXPECT_EQ(test().lblTime()->text(), "00:14:30");
    choose(0);  // answered in the last seconds
    clock->Advance(TimeOfDay(0, 15));
    controller().Timer1Timer();
    EXPECT_FALSE(controller().TimerActive());
    EXPECT_EQ(dialogs.texts(Event::Information), std::vector<QString>{kTimeIsUpMessage});
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_TRUE(attempt().ExamEnded());
    EXPECT_TRUE(attempt().Items()[0].Answered) << "the answer on screen still counts";
    EXPECT_TRUE(test().ReportPopup()->isVisible());
    EXPECT_EQ(test().ReportPopup()->edRemaining()->text(), "9");
    EXPECT_EQ(review().lbAnsw()->text(), "1");
    EXPECT_EQ(review().Report1ListBox()->count(), 10);

    // A visit after the end lasts until the next tick.
    click(review().btnReview());
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(dialogs.count(Event::Information), 2);
    click(review().btnExamResults());
    EXPECT_FALSE(test().ReportPopup()->isVisible()) << "the popup goes with the review";
}

TEST_F(TestScreenTest, OpenBookIsNotTimedAndFeedbackFollowsEachAnswer) {
    giveFeedbackPictures();
    startSingle(ExamMode::OpenBook);
    EXPECT_FALSE(controller().TimerActive());
    EXPECT_FALSE(test().lblTime()->isVisible());
    choose(2);
    click(test().btnRight());
    EXPECT_EQ(feedbackCount(), 1);
    click(test().btnRight());  // not answered: no feedback
    EXPECT_EQ(feedbackCount(), 1);
}

TEST_F(TestScreenTest, JumpToListsEveryItemAndGoesWhereConfirmed) {
    startSingle(ExamMode::OpenBook);
    EXPECT_TRUE(test().btnJumpTo()->isVisible());
    EXPECT_FALSE(test().btnItemReview()->isVisible());
    dialogs.answerNextDialog([](QDialog& dialog) {
        auto& jump = static_cast<TfrmJumpTo&>(dialog);
        EXPECT_EQ(jump.size(), QSize(576, 309));
        EXPECT_EQ(jump.lstboxQuestions()->count(), 4);
        EXPECT_EQ(jump.lstboxQuestions()->item(2)->text(), "   3 - multiple");
        EXPECT_EQ(jump.lstboxQuestions()->currentRow(), 0) << "the item on screen is selected";
        jump.lstboxQuestions()->setCurrentRow(2);
        QTest::mouseClick(jump.btnOK(), Qt::LeftButton);
        return dialog.result();
    });
    choose(0);
    key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(Event::Dialog).back(), "Exam Questions");
    EXPECT_EQ(attempt().CurrentItem(), 2);
    EXPECT_TRUE(attempt().Items()[0].Answered) << "the answer is recorded before the jump";
    dialogs.answerNextDialog([](QDialog& dialog) {
        auto& jump = static_cast<TfrmJumpTo&>(dialog);
        jump.lstboxQuestions()->setCurrentRow(0);
        QTest::mouseClick(jump.btnClose(), Qt::LeftButton);
        return dialog.result();
    });
    click(test().btnJumpTo());
    EXPECT_EQ(attempt().CurrentItem(), 2) << "Close does not jump";
}

TEST_F(TestScreenTest, ScorePopupShowsTheRunningCountsBesideTheQuestion) {
    startSingle(ExamMode::OpenBook);
    choose(2);
    click(test().btnRight());
    choose(0);
    click(test().btnRight());
    key(Qt::Key_S, Qt::ControlModifier);
    TReportPopup& popup = *test().ReportPopup();
    ASSERT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.windowTitle(), "Report");
    EXPECT_EQ(popup.edRemaining()->text(), "2");
    EXPECT_EQ(popup.edCorrect()->text(), "2");
    EXPECT_EQ(popup.edIncorrect()->text(), "0");
    EXPECT_EQ(popup.edPercentage()->text(), "100");
    const QRect area(main->mapToGlobal(QPoint(10, 26)), QSize(621, 381));
    EXPECT_EQ(popup.geometry().right(), area.right() - 2);
    EXPECT_EQ(popup.geometry().bottom() + 1, area.top() + 378);
    EXPECT_EQ(QApplication::activeWindow(), main.get()) << "the popup takes no focus";
    click(popup.ReturnToTest());
    EXPECT_FALSE(popup.isVisible());
    click(test().btnTReport());
    EXPECT_TRUE(popup.isVisible());
    click(test().btnRight());
    EXPECT_FALSE(popup.isVisible()) << "moving on hides it";
}

}  // namespace
}  // namespace zentrix::engine::testing
