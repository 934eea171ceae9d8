// The study-aid windows as the test screen uses them, through the real main
// window: each aid from its button and its key, the exhibit and the feedback
// picture shown modally (the feedback's timer fired by the test), a case that
// is gone when its window opens, what leaving the test screen and closing the
// exam do to the windows, where the steps window goes, the case window's size
// at each exam start, and the exhibit written out of a real bank's tables
// under a safe name only.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <filesystem>

#include "attempt_screen_fixture.h"
#include "base/message_sink.h"
#include "engine/engine_data.h"
#include "questionbank/ttesting.h"
#include "ui/rich_text_viewer.h"
#include "xbase/engine.h"

namespace zentrix::engine::testing {
namespace {

using namespace questionbank;
using Event = RecordingDialogService::Event;

constexpr int kNet2Row = 2;

MemoryQuestion singleChoice(const std::string& title) {
    MemoryQuestion q;
    q.type = kSingleChoice;
    q.title = title;
    q.text = title + "?";
    q.choices = {"right", "wrong"};
    q.key = "1";
    return q;
}

class StudyAidsTest : public AttemptScreenTest {
protected:
    StudyAidsTest() {
        studyAids = [this](QWidget* owner, DialogService& d, AttemptBank& b) {
            auto timer = std::make_unique<aids::ManualCloseTimer>();
            feedbackTimer = timer.get();
            return std::make_unique<StudyAidWindows>(owner, d, b, std::move(timer));
        };
    }

    // NET1: a question with every aid but the steps, a simulation, a question
    // whose exhibit is no picture, a plain question.
    void SetUp() override {
        AttemptScreenTest::SetUp();
        if (HasFatalFailure()) return;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        ASSERT_TRUE(picture.save(QString::fromStdString(folder("data") + "router.png")));
        writeFile(folder("data") + "broken.png", "not a picture");
        writeFile(folder("data") + "config.sim", "not a simulation");
        bank->fileFolder = folder("data");

        MemoryQuestion aided = singleChoice("aided");
        aided.hint = "Think of a repeater.";
        aided.reference = "Chapter 2";
        aided.graphic = "router.png";
        aided.caseId = 2;
        MemoryQuestion simulation;
        simulation.type = kSimulation;
        simulation.title = "Save the file";
        simulation.choices = {"Open it", "Save it"};
        simulation.graphic = "config.sim";
        MemoryQuestion broken = singleChoice("broken exhibit");
        broken.graphic = "broken.png";
        bank->exams["NET1"].questions = {aided, simulation, broken, singleChoice("plain")};

        bank->exams["NET1"].cases[2] = HarbourClinicCase();
    }

    // An aid window took the activation (as on a desktop): the keys of the
    // test screen work again once the main window has it back.
    void backToMainWindow() {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void leaveExam() {
        dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
        click(test().btnTMain());
        ASSERT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    }

    aids::ManualCloseTimer* feedbackTimer = nullptr;
};

TEST_F(StudyAidsTest, EachAidWindowOpensAndClosesFromItsButtonAndFromItsKey) {
    const struct {
        const char* aid;
        int question;  // from 0, reached with the next button
        ui::PictureButton* (TestScreen::*button)() const;
        Qt::Key key;
        std::function<QWidget*()> window;
        std::function<QString()> shown;
    } cases[] = {
        {"hint", 0, &TestScreen::btnHint, Qt::Key_H, [&] { return &aids().Hint(); },
         [&] { return aids().Hint().Hint()->toPlainText(); }},
        {"references", 0, &TestScreen::btnReference, Qt::Key_R,
         [&] { return &aids().References(); },
         [&] { return aids().References().Help()->toPlainText(); }},
        {"case study", 0, &TestScreen::btnCaseStudy, Qt::Key_K, [&] { return &aids().CaseStudy(); },
         [&] {
             const aids::TfrmDisplayCaseStudy& window = aids().CaseStudy();
             return window.windowTitle() + ": " + window.edRich(1)->toPlainText() + " / " +
                    window.edRich(2)->toPlainText();
         }},
        {"steps", 1, &TestScreen::btnSteps, Qt::Key_T, [&] { return &aids().Steps(); },
         [&] { return aids().Steps().lblTitle()->text() + ": " + stepRows().join(" / "); }},
    };
    const QString expected[] = {"Think of a repeater.", "Chapter 2",
                                "Harbour clinic: The clinic. / Two switches.",
                                "Save the file: Step 1: Open it / Step 2: Save it"};
    startSingle(ExamMode::OpenBook);
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aid);
        while (attempt().CurrentItem() < c.question) click(test().btnRight());
        ui::PictureButton* button = (test().*c.button)();
        QWidget* window = c.window();
        ASSERT_FALSE(window->isVisible());
        click(button);
        EXPECT_TRUE(window->isVisible()) << "shown by its button";
        EXPECT_EQ(c.shown(), expected[index++]);
        click(button);
        EXPECT_FALSE(window->isVisible()) << "hidden by its button";
        backToMainWindow();
        key(c.key, Qt::ControlModifier);
        EXPECT_TRUE(window->isVisible()) << "shown by its key";
        // The same key typed in the window itself closes it, and the main
        // window has the keyboard again.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, c.key,
                        Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible()) << "hidden by its key in the window";
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    EXPECT_EQ(dialogs.count(Event::Error), 0);
}

TEST_F(StudyAidsTest, TheExhibitShowsTheQuestionsPictureModallyUntilClicked) {
    startSingle(ExamMode::OpenBook);
    int shown = 0;
    const auto clickThePicture = [&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &aids().Exhibit());
        EXPECT_EQ(aids().Exhibit().PictureSize(), QSize(40, 30));
        dialog.show();
        QTest::mouseClick(aids().Exhibit().GIFImage1(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(dialog.isVisible()) << "a click on the picture closes it";
        ++shown;
        return dialog.result();
    };
    dialogs.answerNextDialog(clickThePicture);
    click(test().btnExhibit());
    backToMainWindow();
    dialogs.answerNextDialog(clickThePicture);
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dialogs.texts(Event::Dialog),
              std::vector<QString>(2, "Exhibit - Click on graphic to close window."));

    // A file that holds no picture says so instead of showing an empty window.
    backToMainWindow();
    click(test().btnRight());
    click(test().btnRight());
    ASSERT_EQ(attempt().CurrentItem(), 2);
    click(test().btnExhibit());
    EXPECT_EQ(dialogs.count(Event::Dialog), 2) << "no window for it";
    EXPECT_EQ(dialogs.texts(Event::Error),
              std::vector<QString>{"The exhibit picture of this question could not be read:\n" +
                                   QString::fromStdString(folder("data") + "broken.png")});
}

TEST_F(StudyAidsTest, ACaseGoneFromTheTableWhenItsWindowOpensIsReportedAndTheWindowCloses) {
    startSingle(ExamMode::OpenBook);
    click(test().btnCaseStudy());
    backToMainWindow();
    click(test().btnCaseStudy());  // closing forgets the case: the next showing reads it again
    bank->exams["NET1"].cases.erase(2);
    bank->exams["NET1"].cases[7] = {};  // the exam still has case studies
    click(test().btnCaseStudy());
    EXPECT_EQ(dialogs.count(Event::Beep), 1);
    EXPECT_EQ(dialogs.texts(Event::Error),
              std::vector<QString>{"Could not find the associated case study record for this "
                                   "question."});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !aids().CaseStudy().isVisible(); }));
}

TEST_F(StudyAidsTest, AnOpenBookAnswerIsFollowedByTheSkinsPictureForTwoSeconds) {
    giveFeedbackPictures({50, 40}, {60, 30});
    startSingle(ExamMode::OpenBook, 0, kNet2Row);
    const struct {
        int choice;  // -1: left unanswered
        QColor colour;
        QSize size;
    } answers[] = {{0, Qt::green, {50, 40}}, {1, Qt::red, {60, 30}}, {-1, {}, {}}};
    int expectedShown = 0;
    for (const auto& a : answers) {
        SCOPED_TRACE(a.choice);
        const bool answered = a.choice >= 0;
        bool closedByTimer = false;
        if (answered) {
            choose(a.choice);
            ++expectedShown;
            dialogs.answerNextDialog([&](QDialog& dialog) {
                aids::TInfoForm& feedback = aids().Feedback();
                EXPECT_EQ(&dialog, &feedback);
                const QImage picture = feedback.GIFImage1()->pixmap().toImage();
                EXPECT_EQ(picture.size(), a.size);
                EXPECT_EQ(picture.pixelColor(3, 3), a.colour);
                const QRect frame = main->frameGeometry();
                EXPECT_EQ(feedback.pos(),
                          frame.topLeft() + QPoint((frame.width() - a.size.width()) / 2,
                                                   (frame.height() - a.size.height()) / 2))
                    << "centred over the main window";
                EXPECT_TRUE(feedbackTimer->IsActive());
                EXPECT_EQ(feedbackTimer->Interval(), 2000);
                dialog.show();
                feedbackTimer->Fire();
                closedByTimer = !dialog.isVisible();
                return dialog.result();
            });
        }
        click(test().btnRight());
        EXPECT_EQ(closedByTimer, answered);
        EXPECT_EQ(feedbackCount(), expectedShown);
    }
    leaveExam();

    startSingle(ExamMode::ClosedBook, 0, kNet2Row);
    choose(0);
    click(test().btnRight());
    EXPECT_EQ(feedbackCount(), expectedShown) << "no feedback in a closed-book exam";
}

TEST_F(StudyAidsTest, LeavingTheTestScreenHidesAndClearsTheHintAndTheReferences) {
    const struct {
        const char* way;
        std::function<void()> leave;
        ScreenId to;
    } ways[] = {
        {"leaving the exam", [&] { leaveExam(); }, ScreenId::MainInterface},
        {"past the last question",
         [&] {
             while (main->CurrentScreen() == ScreenId::TestWindow) click(test().btnRight());
         },
         ScreenId::ExamReview},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        if (main->CurrentScreen() != ScreenId::MainInterface) leaveExam();
        startSingle(ExamMode::OpenBook);
        click(test().btnHint());
        click(test().btnReference());
        ASSERT_TRUE(aids().Hint().isVisible());
        ASSERT_TRUE(aids().References().isVisible());
        backToMainWindow();
        w.leave();
        EXPECT_EQ(main->CurrentScreen(), w.to);
        EXPECT_FALSE(aids().Hint().isVisible());
        EXPECT_FALSE(aids().References().isVisible());
        EXPECT_TRUE(aids().Hint().IsEmpty());
        EXPECT_TRUE(aids().References().IsEmpty());
    }
}

TEST_F(StudyAidsTest, ClosingTheExamClearsACaseWindowThatIsShown) {
    startSingle(ExamMode::OpenBook);
    click(test().btnCaseStudy());
    ASSERT_TRUE(aids().CaseStudy().isVisible());
    backToMainWindow();
    leaveExam();
    EXPECT_TRUE(aids().CaseStudy().isVisible()) << "the exam is still open on the main screen";
    main->SelectExamRow(kNet2Row);  // closes NET1 and its case table
    EXPECT_TRUE(QTest::qWaitFor([&] { return !aids().CaseStudy().isVisible(); }));
    EXPECT_FALSE(aids().CaseStudy().Loaded());
}

TEST_F(StudyAidsTest, TheStepsWindowOpensBesideTheMainWindowWhereverThatIs) {
    startSingle(ExamMode::OpenBook);
    click(test().btnRight());
    ASSERT_EQ(attempt().ShownQuestion().TYPE, kSimulation);
    aids::TSteps& steps = aids().Steps();
    for (const QPoint moved : {QPoint(0, 0), QPoint(-60, -40)}) {
        main->move(main->pos() + moved);
        click(test().btnSteps());
        ASSERT_TRUE(steps.isVisible());
        const QRect frame = main->frameGeometry();
        EXPECT_EQ(steps.pos(),
                  QPoint(frame.left() + frame.width() - steps.width() - 15, frame.top() + 127));
        click(test().btnSteps());
        EXPECT_FALSE(steps.isVisible());
    }
    click(test().btnSteps());
    click(test().btnRight());
    EXPECT_FALSE(steps.isVisible()) << "the next question hides the steps";
}

TEST_F(StudyAidsTest, TheCaseWindowGetsBackItsFirstSizeAtEveryExamStart) {
    const QSize first = aids().CaseStudy().size();
    startSingle(ExamMode::OpenBook);
    click(test().btnCaseStudy());
    aids().CaseStudy().resize(first + QSize(120, 90));
    backToMainWindow();
    leaveExam();
    startSingle(ExamMode::OpenBook);
    EXPECT_EQ(aids().CaseStudy().size(), first);
}

// The bank's own tables: the exhibit comes out of GRAPHICDT into the exam's
// folder, and a name that would leave the folder is refused with a message.
class StudyAidsOnTablesTest : public EngineFixture {
protected:
    void SetUp() override {
        writeRegistryKey();
        const QByteArray png = PngOf({64, 48}, Qt::darkCyan);
        {
            xbase::Engine engine;
            base::RecordingMessageSink sink;
            TTesting bank(engine, folder("data"), sink);
            ASSERT_TRUE(bank.IsValid());
            ASSERT_EQ(bank.AddParent("NET", "Networking", "", "0:20", 4), 0);
            ASSERT_EQ(bank.AddTest("EX", "NET", "exhibits/", "EX", "Exhibits"), 0);
            ASSERT_EQ(bank.OpenTest("EX"), 0) << bank.LastError();
            const char* names[] = {"router.png", "../outside.png"};
            for (int i = 1; i <= 2; ++i) {
                const int id = bank.AddTestQuestion(i, kSingleChoice, "q", "Which?", 1, "1", "", "",
                                                    names[i - 1], 0);
                ASSERT_GT(id, 0) << bank.LastError();
                ASSERT_EQ(bank.SetTestQuestionXtra(id, 1, "this"), 0);
                ASSERT_EQ(bank.GoToTestQuestion(i), 0);
                ASSERT_EQ(bank.SetGraphicData(png.toStdString()), 0) << bank.LastError();
            }
            bank.CloseTest();
        }
        MainWindowContext ctx = context({"zentrix", "NotRandomQuestions"});
        ctx.openData = OpenEngineData;
        main = std::make_unique<TfrmMain>(ctx);
        ASSERT_TRUE(main->StartupSucceeded());
        main->show();
        main->edName()->setText("Ada");
    }

    std::unique_ptr<TfrmMain> main;
};

TEST_F(StudyAidsOnTablesTest, TheExhibitIsWrittenOutOfTheBankUnderASafeNameOnly) {
    int row = -1;
    for (size_t i = 0; i < main->TreeRows().size(); ++i)
        if (main->TreeRows()[i].TestId == "EX") row = int(i);
    ASSERT_GE(row, 0);
    main->SelectExamRow(row);
    QTest::mouseClick(main->control("btnOpenBook"), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    TestScreen& test = main->Attempt()->Test();
    auto& aids = *dynamic_cast<StudyAidWindows*>(main->Aids());

    const std::string written = folder("data") + "exhibits/router.png";
    EXPECT_TRUE(std::filesystem::exists(written));
    EXPECT_TRUE(test.btnExhibit()->isVisible());
    EXPECT_EQ(aids.ExhibitPath().toStdString(), written);
    EXPECT_EQ(aids.Exhibit().PictureSize(), QSize(64, 48));

    QTest::mouseClick(test.btnRight(), Qt::LeftButton);
    EXPECT_FALSE(test.btnExhibit()->isVisible());
    ASSERT_EQ(dialogs.count(Event::Error), 1);
    const QString message = dialogs.texts(Event::Error).front();
    EXPECT_TRUE(message.startsWith("The exhibit file of this question could not be written:"))
        << message.toStdString();
    EXPECT_TRUE(message.contains("file name")) << message.toStdString();
    EXPECT_FALSE(std::filesystem::exists(folder("data") + "outside.png"));
}

}  // namespace
}  // namespace zentrix::engine::testing
