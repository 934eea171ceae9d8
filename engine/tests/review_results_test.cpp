// The review and results screens after attempts driven through the real
// main window: the list and its signs, what may be clicked when, the
// incomplete pass, the counters, the mixed exam's differences and the
// graded result.

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>

#include "attempt_screen_fixture.h"
#include "engine/attempt/review_list.h"
#include "engine/screens/main_screen.h"
#include "engine/screens/report_hooks.h"
#include "engine/screens/treport_popup.h"

namespace zentrix::engine::testing {
namespace {

using Event = RecordingDialogService::Event;

class ReviewResultsTest : public AttemptScreenTest {
protected:
    // Answers item i right, wrong or not at all, by the pattern, and goes
    // past the last item.
    void answerAll(const std::string& pattern) {
        for (char c : pattern) {
            if (c == 'r') choose(0);
            if (c == 'w') choose(1);
            click(test().btnRight());
        }
    }
    QString row(int i) const { return review().Report1ListBox()->item(i)->text(); }
};

TEST_F(ReviewResultsTest, TheLastNextEndsTheAttemptAndListsEveryItem) {
    bank->exams["NET1"].questions.resize(10);
    startSingle(ExamMode::OpenBook);
    click(test().btnMark());
    answerAll("rw-rrrrrrr");
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_TRUE(attempt().ExamEnded());
    ASSERT_EQ(review().Report1ListBox()->count(), 10);
    EXPECT_EQ(row(0), "1:   Correct");
    EXPECT_EQ(row(1), "2:   Incorrect");
    EXPECT_EQ(row(2), "3:   Incomplete");
    EXPECT_EQ(row(9), "10: Correct");
    EXPECT_EQ(review().Report1ListBox()->Flags(0),
              kReviewCorrect | kReviewShowsCorrectness | kReviewMarked);
    EXPECT_EQ(review().lbRem()->text(), "0");
    EXPECT_EQ(review().lbCor()->text(), "8");
    EXPECT_EQ(review().lbIncor()->text(), "1");
    EXPECT_EQ(review().lbcop()->text(), "1");
    EXPECT_EQ(review().lbAnsw()->text(), "9");
    EXPECT_EQ(review().lbper()->text(), "89") << "correct over answered";
    for (QWidget* shown : {static_cast<QWidget*>(review().btnReviewInComplete()),
                           static_cast<QWidget*>(review().btnReview()),
                           static_cast<QWidget*>(review().btnExamResults()),
                           static_cast<QWidget*>(review().ReviewItemEdit())}) {
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    }
    EXPECT_FALSE(review().btnReturntoExam()->isVisible());
    EXPECT_EQ(review().ReviewItemEdit()->maximum(), 10);
    EXPECT_EQ(review().ReviewItemEdit()->value(), 1);

    click(review().btnExamResults());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
    EXPECT_EQ(results().lbPass()->text(), "800");
    EXPECT_EQ(results().lbScore()->text(), "800") << "score over all items";
    EXPECT_EQ(results().lbGrade()->text(), "PASS");
    EXPECT_EQ(results().YourScoreBar()->width(), 349);
    EXPECT_EQ(results().RequiredScoreBar()->width(), 349);
    const int border = results().BarBorder()->x();
    EXPECT_EQ(results().Shape(1)->x(), border + 44);
    EXPECT_EQ(results().Shape(5)->x(), border + 218);
    EXPECT_TRUE(results().Shape(9)->isVisible());
    for (const char* name : {"lbResultPScore", "lbResultYScore", "lbResultGrade", "lbChartPScore",
                             "lbChartyScore", "lbNoWay", "lbHalfWay", "lbAllWay"}) {
        EXPECT_TRUE(main->control(name)->isVisible()) << name;
    }
    EXPECT_EQ(static_cast<QLabel*>(main->control("lbChartPScore"))->text(), "Required Score");
    EXPECT_EQ(static_cast<QLabel*>(main->control("lbAllWay"))->text(), "1000");
    click(results().btnResultsMain());
    EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    EXPECT_FALSE(results().Shape(1)->isVisible()) << "leaving hides the tick marks";
}

TEST_F(ReviewResultsTest, SevenOfTenFailsAndTwoOfThreePasses) {
    const struct {
        int items;
        const char* pattern;
        const char* pass;
        const char* score;
        const char* grade;
    } cases[] = {{10, "rrrrrrrwww", "800", "700", "FAIL"}, {3, "rrw", "667", "667", "PASS"}};
    for (const auto& c : cases) {
        bank->exams["NET1"].questions = NumberedQuestions("q", c.items);
        startSingle(ExamMode::ClosedBook);
        answerAll(c.pattern);
        click(review().btnExamResults());
        EXPECT_EQ(results().lbPass()->text(), c.pass) << c.items;
        EXPECT_EQ(results().lbScore()->text(), c.score) << c.items;
        EXPECT_EQ(results().lbGrade()->text(), c.grade) << c.items;
        click(results().btnResultsMain());
    }
}

TEST_F(ReviewResultsTest, RowsAreClickedOnlyOnceTheAttemptHasEnded) {
    bank->exams["NET1"].questions.resize(4);
    startSingle(ExamMode::OpenBook);
    click(test().btnRight());
    click(test().btnRight());
    answerAll("rr");
    QListWidget* list = review().Report1ListBox();
    const QRect second = list->visualItemRect(list->item(1));
    // An item view takes a double click as the second click of a pair.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(attempt().CurrentItem(), 1);
    EXPECT_TRUE(test().btnItemReview()->isVisible());
    EXPECT_FALSE(test().btnJumpTo()->isVisible());

    // The review button of the test screen records and lists again.
    choose(0);
    click(test().btnItemReview());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(row(1), "2:   Correct");
    EXPECT_EQ(review().lbAnsw()->text(), "3");
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(review().ReviewItemEdit()->value(), 3);

    // Enter on a row reviews it as well.
    list->setFocus();
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(attempt().CurrentItem(), 2);
}

TEST_F(ReviewResultsTest, ReviewIncompleteWalksTheIncompleteItemsOnly) {
    bank->exams["NET1"].questions.resize(5);
    startSingle(ExamMode::OpenBook);
    answerAll("r-r-r");
    click(review().btnReviewInComplete());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(attempt().CurrentItem(), 1);
    EXPECT_FALSE(test().btnLeft()->isVisible()) << "nothing incomplete before it";
    choose(1);
    click(test().btnRight());
    EXPECT_EQ(attempt().CurrentItem(), 3);
    EXPECT_FALSE(test().btnLeft()->isVisible()) << "item 2 is complete now";
    choose(0);
    click(test().btnRight());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview) << "the pass ends on the review";
    EXPECT_EQ(row(1), "2:   Incorrect");
    EXPECT_EQ(review().lbcop()->text(), "0") << "the counters include the pass";

    const size_t before = dialogs.entries().size();
    click(review().btnReviewInComplete());
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamReview) << "nothing incomplete: no change";
    EXPECT_EQ(dialogs.entries().size(), before);
}

TEST_F(ReviewResultsTest, ReviewSpinValueIsCutIntoRange) {
    bank->exams["NET1"].questions.resize(3);
    startSingle(ExamMode::OpenBook);
    answerAll("---");
    review().ReviewItemEdit()->setValue(99);
    EXPECT_EQ(review().ReviewItemEdit()->value(), 3);
    click(review().btnReview());
    EXPECT_EQ(attempt().CurrentItem(), 2);
}

TEST_F(ReviewResultsTest, MixedExamHidesCorrectnessJumpsAndTheScorePopup) {
    startMixed();
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(attempt().Mode(), ExamMode::Mixed);
    EXPECT_EQ(attempt().ItemCount(), 6);
    EXPECT_EQ(attempt().TimeLimit(), "0:30");
    EXPECT_FALSE(test().btnJumpTo()->isVisible());
    EXPECT_FALSE(test().btnTReport()->isVisible());
    EXPECT_FALSE(test().btnHint()->isVisible());
    EXPECT_TRUE(test().lblTime()->isVisible());
    EXPECT_EQ(test().lblTime()->text(), "00:30:00");
    const QString firstExam = main->windowTitle();
    EXPECT_TRUE(firstExam == "Network Basics" || firstExam == "Routing")
        << "the caption names the open exam";
    key(Qt::Key_J, Qt::ControlModifier);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.count(Event::Dialog), 0);
    EXPECT_FALSE(test().ReportPopup()->isVisible());
    for (int i = 0; i < 6; ++i) {
        if (i % 2 == 0) choose(1);
        click(test().btnRight());
    }
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(row(0), "1:   Answered");
    EXPECT_EQ(row(1), "2:   Incomplete");
    EXPECT_EQ(review().Report1ListBox()->Flags(0) & kReviewShowsCorrectness, 0);
    EXPECT_EQ(review().lbCor()->text(), "-");
    EXPECT_EQ(review().lbIncor()->text(), "-");
    EXPECT_EQ(review().lbper()->text(), "-");
    EXPECT_EQ(review().lbAnsw()->text(), "3");
    click(review().btnReview());
    EXPECT_FALSE(test().btnTReport()->isVisible()) << "not even when the screen comes back";
    EXPECT_FALSE(test().btnJumpTo()->isVisible());
}

TEST_F(ReviewResultsTest, ReportButtonsCallTheReportHooksWithTheAttempt) {
    struct Recorder : ReportHooks {
        std::vector<std::string> calls;
        AttemptReportData last;
        void ViewStudyGuide(const AttemptReportData& d) override { note("view guide", d); }
        void SaveStudyGuide(const AttemptReportData& d) override { note("save guide", d); }
        void ViewCertificate(const AttemptReportData& d) override { note("view cert", d); }
        void SaveCertificate(const AttemptReportData& d) override { note("save cert", d); }
        void OpenSavedReport(const AttemptReportData& d) override { note("open", d); }
        void StudyGuideAfterQuestion(const AttemptReportData& d, int item) override {
            note("after " + std::to_string(item), d);
        }
        void ShowReportSelection(const HistorySelectionData&) override {
            calls.push_back("history");
        }
        void note(std::string call, const AttemptReportData& d) {
            calls.push_back(std::move(call));
            last = d;
        }
    };
    auto recorder = std::make_shared<Recorder>();
    main.reset();
    writeRegistryKey();
    MainWindowContext withReports = context({"zentrix", "NotRandomQuestions"});
    withReports.plugins.reports = recorder;
    main = std::make_unique<TfrmMain>(withReports);
    main->show();
    bank->exams["NET1"].questions.resize(2);

    click(main->Main().btnHistory());
    startSingle(ExamMode::OpenBook);
    answerAll("rw");
    click(review().btnExamResults());
    for (ui::PictureButton* button :
         {results().btnViewStudy(), results().btnSaveStudy(), results().btnOpenStudy(),
          results().btnViewExam(), results().btnSaveExam(), results().btnOpenExam()}) {
        click(button);
    }
    EXPECT_EQ(recorder->calls,
              (std::vector<std::string>{"history", "view guide", "save guide", "open", "view cert",
                                        "save cert", "open"}));
    const AttemptReportData& d = recorder->last;
    ASSERT_NE(d.items, nullptr);
    EXPECT_EQ(d.items->size(), 2u);
    EXPECT_EQ(d.mode, ExamMode::OpenBook);
    EXPECT_EQ(d.candidateName, "Ada");
    EXPECT_EQ(d.examRow->TestId, "NET1");
    EXPECT_EQ(d.courseRow->Title, "Networking");
    EXPECT_EQ(d.openExamTitle, "Network Basics");
    EXPECT_EQ(d.bank, static_cast<AttemptBank*>(bank));
    EXPECT_EQ(bank->Listener(), nullptr) << "the reports move the cursor without the screen";
}

TEST_F(ReviewResultsTest, StudyGuideAfterAQuestionFollowsTheSetting) {
    struct Recorder : PendingReportHooks {
        using PendingReportHooks::PendingReportHooks;
        std::vector<int> items;
        void StudyGuideAfterQuestion(const AttemptReportData&, int item) override {
            items.push_back(item);
        }
    };
    auto recorder = std::make_shared<Recorder>(dialogs);
    main.reset();
    MainWindowContext withReports = context({"zentrix", "NotRandomQuestions"});
    withReports.plugins.reports = recorder;
    profiles.writeString(settingsFile, "StudyGuide", "SG_AfterQues", "1").isOk();
    main = std::make_unique<TfrmMain>(withReports);
    main->show();
    ASSERT_EQ(main->StudyGuide().SG_AfterQues, 1);
    bank->exams["NET1"].questions.resize(3);
    startSingle(ExamMode::OpenBook);
    answerAll("rw-");
    EXPECT_EQ(recorder->items, std::vector<int>{1}) << "only after the wrong answer";
    EXPECT_EQ(attempt().CurrentItem(), 2);
}

}  // namespace
}  // namespace zentrix::engine::testing
