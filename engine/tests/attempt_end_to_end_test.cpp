// Whole attempts through the real main window, headless, on a question bank
// built in the test with TTesting and a real history table: open book with
// hints, closed book timed out, a mixed exam across three exams with moves
// back to items of other exams, review incomplete, marking and results.
// Afterwards TESTHIST is read back by another xBase reader (python3-dbfread).

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QSpinBox>

#include "attempt_screen_fixture.h"
#include "base/message_sink.h"
#include "engine/aids/thint_form.h"
#include "engine/attempt/attempt_messages.h"
#include "engine/bank_text.h"
#include "engine/engine_data.h"
#include "history/history_clock.h"
#include "questionbank/ttesting.h"
#include "window_test_hands.h"
#include "xbase/engine.h"

namespace zentrix::engine::testing {
namespace {

using namespace questionbank;
using Event = RecordingDialogService::Event;

// Exam `id` of `course`: `count` questions whose texts name the exam, so the
// screen tells which exam a question came from. Single choice, right choice
// 1, except every third a true/false (right: True) and every fifth a
// multiple choice (right: A and C). Odd questions have a hint.
void addExam(TTesting& bank, const std::string& course, const std::string& id, int count) {
    ASSERT_EQ(bank.AddTest(id, course, "", id, id + " title"), 0) << bank.LastError();
    ASSERT_EQ(bank.OpenTest(id), 0) << bank.LastError();
    for (int i = 1; i <= count; ++i) {
        const int type = i % 5 == 0 ? kMultipleChoice : i % 3 == 0 ? kTrueFalse : kSingleChoice;
        const std::vector<std::string> rows =
            type == kTrueFalse ? std::vector<std::string>{}
                               : std::vector<std::string>{"right", "wrong", "also right"};
        const std::string key = type == kTrueFalse ? "TRUE" : type == kMultipleChoice ? "5" : "1";
        const std::string hint = i % 2 ? "Hint for " + id + " " + std::to_string(i) : "";
        const int qid = bank.AddTestQuestion(i, type, id + " q" + std::to_string(i),
                                             id + " question " + std::to_string(i),
                                             int(rows.size()), key, hint, "", "", 0);
        ASSERT_GT(qid, 0) << bank.LastError();
        for (size_t r = 0; r < rows.size(); ++r)
            ASSERT_EQ(bank.SetTestQuestionXtra(qid, int(r) + 1, rows[r]), 0);
    }
    bank.CloseTest();
}

class AttemptEndToEndTest : public EngineFixture {
protected:
    void SetUp() override {
        writeRegistryKey();
        {
            xbase::Engine engine;
            base::RecordingMessageSink sink;
            TTesting bank(engine, folder("data"), sink);
            ASSERT_TRUE(bank.IsValid());
            ASSERT_EQ(bank.AddParent("NET", "Networking", "", "0:20", 4), 0);
            addExam(bank, "NET", "E1", 5);
            addExam(bank, "NET", "E2", 12);
            ASSERT_EQ(bank.AddParent("MIX", "Mixed course", "", "0:15", 6), 0);
            addExam(bank, "MIX", "M1", 4);
            addExam(bank, "MIX", "M2", 4);
            addExam(bank, "MIX", "M3", 4);
        }
        MainWindowContext ctx{dialogs,
                              registry,
                              profiles,
                              shell,
                              [this](const EngineFolders& folders, DialogService& d) {
                                  return OpenEngineDataWithClock(folders, d, clock_);
                              },
                              {"zentrix", "NotRandomQuestions"},
                              settingsFile};
        ctx.plugins.clock = clock_;
        main = std::make_unique<TfrmMain>(ctx);
        ASSERT_TRUE(main->StartupSucceeded());
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        main->edName()->setText("Ada");
    }

    int rowOf(const std::string& testId, unsigned char kind, const std::string& course = "") {
        for (size_t i = 0; i < main->TreeRows().size(); ++i) {
            const QVSimListInfo& row = main->TreeRows()[i];
            if (row.NodeKind == kind && row.TestId == testId &&
                (course.empty() || row.CourseId == course))
                return int(i);
        }
        ADD_FAILURE() << "no row " << testId;
        return 0;
    }
    AttemptController& attempt() { return *main->Attempt(); }
    TestScreen& test() { return attempt().Test(); }
    ReviewScreen& review() { return attempt().Review(); }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { TypeKey(main.get(), k, m); }
    void click(QWidget* w) { ClickShown(w); }
    QString shownText() const { return main->Attempt()->Test().lblQuestion()->text(); }
    // Answers the question on screen right with the keyboard.
    void answerRight() {
        const int type = attempt().Attempt().ShownQuestion().TYPE;
        if (type == kTrueFalse) {
            key(Qt::Key_T);
        } else if (type == kMultipleChoice) {
            key(Qt::Key_A);
            key(Qt::Key_C);
        } else {
            key(Qt::Key_A);
        }
    }
    // The TESTHIST records as python3-dbfread reads them.
    QJsonArray readHistory() {
        const QString script = QStringLiteral(
            "import json, sys\n"
            "from dbfread import DBF\n"
            "rows = [dict(r) for r in DBF(sys.argv[1], ignore_missing_memofile=True)]\n"
            "print(json.dumps(rows, default=str))\n");
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), script,
                      QString::fromStdString(folder("data") + "TESTHIST.DBF")});
        EXPECT_TRUE(python.waitForFinished(60000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    }

    std::shared_ptr<SharedClock> clock_ = std::make_shared<SharedClock>();
    std::unique_ptr<TfrmMain> main;
};

TEST_F(AttemptEndToEndTest, OpenBookWithHintsMarksReviewAndResults) {
    clock_->set(9, 0);
    main->vsiTestSelectBox()->setCurrentItem(rowOf("E1", kExamRow));
    main->vsiTestSelectBox()->setFocus();
    QTest::keyClick(main->vsiTestSelectBox(), Qt::Key_Return);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
    EXPECT_EQ(main->lbNoQuestions()->text(), "Total number of questions available: 5");
    key(Qt::Key_Space);  // the focus is on Open Book
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(main->windowTitle(), "E1 title");

    // 1: single choice with a hint, answered wrong and marked.
    EXPECT_EQ(shownText(), "E1 question 1");
    ASSERT_TRUE(test().btnHint()->isVisible());
    key(Qt::Key_H, Qt::ControlModifier);
    auto& aids = *dynamic_cast<StudyAidWindows*>(main->Aids());
    EXPECT_TRUE(aids.Hint().isVisible());
    EXPECT_EQ(aids.Hint().Hint()->toPlainText(), "Hint for E1 1");
    key(Qt::Key_B);
    key(Qt::Key_M, Qt::ControlModifier);
    key(Qt::Key_Return);
    // 2: no hint; left unanswered.
    EXPECT_EQ(shownText(), "E1 question 2");
    EXPECT_FALSE(test().btnHint()->isVisible());
    key(Qt::Key_Return);
    // 3 (true/false), 4: right.
    for (int i = 3; i <= 4; ++i) {
        EXPECT_EQ(shownText(), QStringLiteral("E1 question %1").arg(i));
        answerRight();
        clock_->advance(1);
        key(Qt::Key_Return);
    }
    // 5 (multiple choice): right, then past the end.
    answerRight();
    clock_->advance(2, 30);
    key(Qt::Key_Return);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    QListWidget* list = review().Report1ListBox();
    EXPECT_EQ(list->item(0)->text(), "1:   Incorrect");
    EXPECT_TRUE(review().Report1ListBox()->Flags(0) & kReviewMarked);
    EXPECT_EQ(list->item(1)->text(), "2:   Incomplete");

    // Review incomplete: item 2, answered right this time.
    click(review().btnReviewInComplete());
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(shownText(), "E1 question 2");
    answerRight();
    key(Qt::Key_Return);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(list->item(1)->text(), "2:   Correct");
    EXPECT_EQ(review().lbper()->text(), "80");

    click(review().btnExamResults());
    auto& results = attempt().Results();
    EXPECT_EQ(results.lbPass()->text(), "800");
    EXPECT_EQ(results.lbScore()->text(), "800");
    EXPECT_EQ(results.lbGrade()->text(), "PASS");
    EXPECT_EQ(dialogs.count(Event::Error), 0);

    const QJsonArray records = readHistory();
    ASSERT_EQ(records.size(), 1);
    const QJsonObject r = records[0].toObject();
    EXPECT_EQ(r["NAME"].toString(), "Ada");
    EXPECT_EQ(r["COURSEID"].toString(), "NET");
    EXPECT_EQ(r["QTYPE_1"].toInt(), 1);
    EXPECT_EQ(r["TESTID_1"].toString(), "E1");
    EXPECT_EQ(r["DATE_1"].toInt(), history::DayNumber(2026, 3, 2));
    EXPECT_EQ(r["TIMESTR_1"].toInt(), 9 * 3600);
    EXPECT_EQ(r["TIMEEND_1"].toInt(), 9 * 3600 + 4 * 60 + 30);
    EXPECT_EQ(r["QTAKEN_1"].toInt(), 5);
    EXPECT_EQ(r["QTRIED_1"].toInt(), 5);
    EXPECT_EQ(r["QRIGHT_1"].toInt(), 4);
    EXPECT_EQ(r["QTYPE_2"].toInt(), 0);
}

TEST_F(AttemptEndToEndTest, ClosedBookTimedOutByTheClock) {
    clock_->set(14, 0);
    main->SelectExamRow(rowOf("E2", kExamRow));
    main->edtNumQuestions()->setValue(10);
    click(main->control("btnClosedBook"));
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    EXPECT_EQ(test().lblTime()->text(), "00:20:00");
    EXPECT_FALSE(test().btnHint()->isVisible()) << "closed book offers no hints";
    for (int i = 0; i < 3; ++i) {
        answerRight();
        key(Qt::Key_Right);
    }
    key(Qt::Key_B);  // the fourth question: answered wrong just before the end
    clock_->advance(20, 1);
    attempt().Timer1Timer();
    EXPECT_EQ(dialogs.texts(Event::Information), std::vector<QString>{kTimeIsUpMessage});
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_FALSE(review().btnReturntoExam()->isVisible());
    EXPECT_EQ(review().lbAnsw()->text(), "4");
    EXPECT_EQ(review().lbRem()->text(), "6");
    click(review().btnExamResults());
    EXPECT_EQ(attempt().Results().lbScore()->text(), "300");
    EXPECT_EQ(attempt().Results().lbGrade()->text(), "FAIL");

    const QJsonObject r = readHistory()[0].toObject();
    EXPECT_EQ(r["QTYPE_1"].toInt(), 2);
    EXPECT_EQ(r["TESTID_1"].toString(), "E2");
    EXPECT_EQ(r["TIMESTR_1"].toInt(), 14 * 3600);
    EXPECT_EQ(r["TIMEEND_1"].toInt(), 14 * 3600 + 20 * 60 + 1);
    EXPECT_EQ(r["QTAKEN_1"].toInt(), 10);
    EXPECT_EQ(r["QTRIED_1"].toInt(), 4);
    EXPECT_EQ(r["QRIGHT_1"].toInt(), 3);
}

TEST_F(AttemptEndToEndTest, MixedExamAcrossThreeExamsMovesBackToOtherExams) {
    clock_->set(16, 30);
    main->SelectExamRow(rowOf("", kMixedRow, "MIX"));
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ComfirmQV);
    key(Qt::Key_Space);  // Begin has the focus
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    const ExamItems& items = attempt().Attempt().Items();
    ASSERT_EQ(items.size(), 6u);
    std::map<std::string, int> perExam;
    for (const QuestionAnswer& item : items) ++perExam[item.TestId];
    EXPECT_EQ(perExam, (std::map<std::string, int>{{"M1", 2}, {"M2", 2}, {"M3", 2}}));
    EXPECT_EQ(test().lblTime()->text(), "00:15:00");
    EXPECT_FALSE(test().btnJumpTo()->isVisible());

    // Every item shows its own exam's question, forward and back.
    auto expectShown = [&](int index) {
        const QuestionAnswer& item = items[size_t(index)];
        EXPECT_EQ(shownText().toStdString(),
                  item.TestId + " question " + std::to_string(item.QuestionNo))
            << "item " << index;
        EXPECT_EQ(main->windowTitle().toStdString(), item.TestId + " title");
    };
    for (int i = 0; i < 6; ++i) {
        expectShown(i);
        if (i < 5) {
            if (i % 2 == 0) answerRight();
            key(Qt::Key_Right);
        }
    }
    int back = 4;
    while (back > 0 && items[size_t(back)].TestId == items[5].TestId) --back;
    ASSERT_NE(items[size_t(back)].TestId, items[5].TestId);
    for (int i = 5; i > back; --i) key(Qt::Key_Left);
    expectShown(back);
    EXPECT_FALSE(items[0].QuestionTitle.empty()) << "visited items carry their titles";
    key(Qt::Key_M, Qt::ControlModifier);
    for (int i = back; i < 6; ++i) key(Qt::Key_Right);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(review().Report1ListBox()->item(0)->text(), "1:   Answered");
    EXPECT_EQ(review().lbCor()->text(), "-");

    // Reviewing an item of another exam than the one open shows that exam's question.
    int other = 0;
    while (items[size_t(other)].TestId == items[5].TestId) ++other;
    review().ReviewItemEdit()->setValue(other + 1);
    click(review().btnReview());
    expectShown(other);
    key(Qt::Key_I, Qt::ControlModifier);
    click(review().btnExamResults());
    EXPECT_EQ(attempt().Results().lbScore()->text(), "500");

    const QJsonArray records = readHistory();
    ASSERT_EQ(records.size(), 1);
    const QJsonObject r = records[0].toObject();
    EXPECT_EQ(r["COURSEID"].toString(), "MIX");
    EXPECT_EQ(r["QTYPE_1"].toInt(), 3);
    EXPECT_EQ(r["TESTID_1"].toString(), "");
    EXPECT_EQ(r["QTAKEN_1"].toInt(), 6);
    EXPECT_EQ(r["QTRIED_1"].toInt(), 3);
    EXPECT_EQ(r["QRIGHT_1"].toInt(), 3);
    EXPECT_EQ(r["TIMESTR_1"].toInt(), 16 * 3600 + 30 * 60);
}

TEST_F(AttemptEndToEndTest, LeavingTheExamKeepsTheAnswerOnScreenInTheRecord) {
    clock_->set(11, 0);
    main->SelectExamRow(rowOf("E1", kExamRow));
    click(main->control("btnOpenBook"));
    answerRight();
    key(Qt::Key_Return);
    answerRight();
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    key(Qt::Key_Escape);
    EXPECT_EQ(dialogs.texts(Event::Dialog), std::vector<QString>{"Confirm Exit Exam"});
    EXPECT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    const QJsonObject r = readHistory()[0].toObject();
    EXPECT_EQ(r["QTRIED_1"].toInt(), 2);
    EXPECT_EQ(r["QRIGHT_1"].toInt(), 2);

    // Two more attempts by the same learner share the record, newest first.
    main->SelectExamRow(rowOf("E2", kExamRow));
    click(main->control("btnClosedBook"));
    dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
    click(test().btnTMain());
    const QJsonArray records = readHistory();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].toObject()["QTYPE_1"].toInt(), 2);
    EXPECT_EQ(records[0].toObject()["TIMEEND_1"].toInt(), 0) << "nothing answered, not ended";
    EXPECT_EQ(records[0].toObject()["QTYPE_2"].toInt(), 1);
}

}  // namespace
}  // namespace zentrix::engine::testing
