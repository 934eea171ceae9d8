// The demo's simulation questions in real attempts through the main window,
// played with real mouse and key events on the panel as a learner plays
// them: each simulation answered right and wrong, the result and the history
// record that follow, the panel stopped when its question is left, and a
// damaged simulation file in the bank that ends in a clear message while the
// attempt goes on.

#include <QDialog>
#include <QLabel>
#include <QScrollArea>
#include <functional>

#include "base/message_sink.h"
#include "demo_attempt_fixture.h"
#include "engine/screens/demo_q_engine_panel.h"
#include "engine/screens/dialog_simulation_services.h"
#include "engine/screens/results_screen.h"
#include "engine/screens/review_screen.h"
#include "history/tthistory.h"
#include "questionbank/ttesting.h"
#include "simulation/panel/gif_image.h"
#include "simulation/panel/tbz_ip_mask.h"
#include "simulation/panel/tests/manual_timer.h"
#include "xbase/engine.h"

namespace zentrix::demo {
namespace {

using engine::ExamMode;
using engine::ScreenId;
using Event = engine::RecordingDialogService::Event;
using simulation::panel::testing::ManualTimer;

constexpr QRect kQuestionArea(10, 26, 621, 58);
constexpr QRect kPanelArea(10, 84, 621, 327);

class DemoSimulationAttempt : public DemoAttempt {
protected:
    void SetUp() override {
        engine::SimulationPanelOptions options;
        options.tempFolder = scratch.path() + QStringLiteral("/temp");
        QDir().mkpath(options.tempFolder);
        options.makeTimer = [this] {
            auto made = std::make_unique<ManualTimer>();
            timer = made.get();
            return made;
        };
        simulationPanel = engine::DemoQEnginePanel::Plugin(options);
        DemoAttempt::SetUp();
    }

public:  // the learner's hands, for the tables of moves
    engine::DemoQEnginePanel& sim() const {
        return *dynamic_cast<engine::DemoQEnginePanel*>(main->Simulation());
    }
    simulation::panel::GifImage* picture() const { return sim().Engine().picture(); }
    const engine::ExamAttempt& attempt() const { return main->Attempt()->Attempt(); }
    const engine::QuestionAnswer& item(int index) const {
        return attempt().Items().at(static_cast<size_t>(index));
    }

    void start(const char* exam, ExamMode mode) {
        main->edName()->setText(QStringLiteral("Ada"));
        main->SelectExamRow(row(exam, questionbank::kExamRow));
        ASSERT_EQ(main->CurrentScreen(), ScreenId::QVTestType);
        QTest::mouseClick(
            main->control(mode == ExamMode::OpenBook ? "btnOpenBook" : "btnClosedBook"),
            Qt::LeftButton);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
    }
    // Moves on to the question that plays `file`; gives its item.
    int goTo(const char* file) {
        const bool found = nextUntil([file](const questionbank::TestQuestionInfo& q) {
            return q.TYPE == questionbank::kSimulation &&
                   QString::fromStdString(q.GRAPHIC).trimmed() == QLatin1String(file);
        });
        EXPECT_TRUE(found) << "no simulation " << file;
        settle();
        return attempt().CurrentItem();
    }
    // Back to the main screen from the test screen (confirmed) or, once the
    // attempt has ended, through its results.
    void leaveExam() {
        if (main->CurrentScreen() == ScreenId::TestWindow) {
            dialogs.answerNextDialog([](QDialog&) { return QDialog::Accepted; });
            QTest::mouseClick(test().btnTMain(), Qt::LeftButton);
        }
        if (main->CurrentScreen() == ScreenId::ExamReview)
            QTest::mouseClick(main->Attempt()->Review().btnExamResults(), Qt::LeftButton);
        if (main->CurrentScreen() == ScreenId::ExamResults)
            QTest::mouseClick(main->Attempt()->Results().btnResultsMain(), Qt::LeftButton);
        ASSERT_EQ(main->CurrentScreen(), ScreenId::MainInterface);
    }
    // The outcome moves on: to the next item, or past the last to the review.
    void expectMovedOnFrom(int at) {
        if (at + 1 < attempt().ItemCount()) {
            EXPECT_EQ(main->CurrentScreen(), ScreenId::TestWindow);
            EXPECT_EQ(attempt().CurrentItem(), at + 1);
        } else {
            EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
        }
    }

    // The outcome reaches the attempt once the panel's event has returned.
    static void settle() {
        for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
    }
    void click(QPoint at) {
        QTest::mouseClick(picture(), Qt::LeftButton, {}, at);
        settle();
    }
    // What the system sends for a double click: press, release, the double
    // click in place of the second press, release.
    void doubleClick(QPoint at) {
        QTest::mousePress(picture(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(picture(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at);
        settle();
    }
    void drag(QPoint from, QPoint over, QPoint to) {
        QTest::mousePress(picture(), Qt::LeftButton, {}, from);
        settle();
        QTest::mouseMove(picture(), over);
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, to);
        settle();
    }
    // Keys go where the focus is, as the keyboard sends them.
    static void type(const char* text) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(text));
        settle();
    }
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        if (modifiers & Qt::ControlModifier) QTest::keyPress(focus, Qt::Key_Control);
        QTest::keyClick(focus, key, modifiers);
        if (modifiers & Qt::ControlModifier) QTest::keyRelease(focus, Qt::Key_Control);
        settle();
    }
    void ticks(int count) {
        ASSERT_NE(timer, nullptr);
        for (int i = 0; i < count; ++i) timer->tick();
        settle();
    }
    int frame() const { return sim().Engine().currentFrame(); }
    void next() { DemoAttempt::next(); }

    ManualTimer* timer = nullptr;  // the panel's, made with it
};

// The learner's moves on the three demo simulations (the zones of
// demo/simulations/*.json, in picture pixels).
struct Play {
    const char* name;
    const char* exam;
    const char* file;
    bool right;
    std::function<void(DemoSimulationAttempt&)> moves;
};

const Play kPlays[] = {
    {"static address typed and applied", "NET-SVC", "static-address.sim", true,
     [](DemoSimulationAttempt& t) {
         t.click({200, 89});  // Manual (static)
         ASSERT_EQ(t.frame(), 2);
         ASSERT_NE(qobject_cast<simulation::panel::TBZIPMask*>(QApplication::focusWidget()),
                   nullptr)
             << "the address field takes the focus";
         t.type("192168100125");
         t.click({540, 293});  // Apply
     }},
    {"static address applied unfinished", "NET-SVC", "static-address.sim", false,
     [](DemoSimulationAttempt& t) {
         t.click({200, 89});
         t.type("192168100");
         t.click({540, 293});
     }},
    {"router page opened with Ctrl+L", "NET-SVC", "router-page.sim", true,
     [](DemoSimulationAttempt& t) {
         t.key(Qt::Key_L, Qt::ControlModifier);
         ASSERT_EQ(t.frame(), 2);
         t.type("http://192.168.1.1");
         t.key(Qt::Key_Return);
         ASSERT_EQ(t.frame(), 3);  // the page loads for 1.2 s
         t.ticks(12);
         ASSERT_EQ(t.frame(), 3);
         t.ticks(1);
     }},
    {"router page with L alone", "NET-SVC", "router-page.sim", false,
     [](DemoSimulationAttempt& t) { t.key(Qt::Key_L); }},
    {"file dragged into the archive", "LNX-FILES", "file-manager.sim", true,
     [](DemoSimulationAttempt& t) {
         t.doubleClick({285, 113});  // open Documents
         ASSERT_EQ(t.frame(), 2);
         t.drag({375, 113}, {250, 113}, {195, 113});
     }},
    {"file dropped beside the archive", "LNX-FILES", "file-manager.sim", false,
     [](DemoSimulationAttempt& t) {
         t.doubleClick({285, 113});
         t.drag({375, 113}, {500, 200}, {600, 300});
     }},
};

TEST_F(DemoSimulationAttempt, EachDemoSimulationAnsweredRightAndWrongMovesOnWithItsAnswer) {
    for (const Play& play : kPlays) {
        SCOPED_TRACE(play.name);
        start(play.exam, ExamMode::OpenBook);
        const int at = goTo(play.file);
        ASSERT_TRUE(sim().Playable());
        EXPECT_EQ(test().TestScrollBox()->geometry(), kQuestionArea);
        EXPECT_EQ(test().SimulationWidget()->geometry(), kPanelArea);
        EXPECT_TRUE(test().SimulationWidget()->isVisible());
        EXPECT_TRUE(test().btnSteps()->isVisible()) << "open book offers the steps";
        EXPECT_TRUE(QFile::exists(database() + (play.exam[0] == 'N' ? "networking/" : "linux/") +
                                  play.file))
            << "written out of the bank beside the exam";
        EXPECT_EQ(frame(), 1);

        play.moves(*this);
        expectMovedOnFrom(at);
        EXPECT_TRUE(item(at).Answered);
        EXPECT_EQ(item(at).GivenAnswer, play.right ? 0 : 1);
        EXPECT_EQ(item(at).Correct, play.right);
        EXPECT_FALSE(test().SimulationWidget()->isVisible() &&
                     attempt().ShownQuestion().TYPE != questionbank::kSimulation)
            << "a question of another kind parks the panel";
        leaveExam();
    }
}

// The simulation shown has the focus, so its keys reach it; the test
// screen's own keys work once the learner has tabbed out of it.
TEST_F(DemoSimulationAttempt, KeyboardLearnerTabsOutOfASimulationAndGoesOn) {
    start("NET-SVC", ExamMode::OpenBook);
    const int at = goTo("static-address.sim");
    QWidget* panel = test().SimulationWidget();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus == panel || panel->isAncestorOf(focus));
    key(Qt::Key_Return);
    EXPECT_EQ(attempt().CurrentItem(), at) << "Enter belongs to the simulation";
    key(Qt::Key_Tab);
    focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_FALSE(focus == panel || panel->isAncestorOf(focus));
    key(Qt::Key_Return);
    EXPECT_EQ(attempt().CurrentItem(), at + 1);
    EXPECT_FALSE(item(at).Answered);
}

// Closed book: one simulation right, one wrong, nothing else answered. The
// review, the results and the history record count exactly those two.
TEST_F(DemoSimulationAttempt, SimulationOutcomesCountInTheResultAndTheHistoryRecord) {
    start("NET-SVC", ExamMode::ClosedBook);
    const int staticAddress = goTo("static-address.sim");
    EXPECT_FALSE(test().btnSteps()->isVisible()) << "closed book shows no steps";
    click({200, 89});
    type("192168100125");
    shot("16-simulation-playing.png");
    click({540, 293});
    ASSERT_EQ(QString::fromStdString(attempt().ShownQuestion().GRAPHIC).trimmed(),
              "router-page.sim");
    const int routerPage = attempt().CurrentItem();
    click({300, 200});  // a click where the browser expects a key
    ASSERT_EQ(attempt().CurrentItem(), routerPage + 1);
    while (main->CurrentScreen() == ScreenId::TestWindow) next();

    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamReview);
    EXPECT_EQ(main->Attempt()->Review().lbAnsw()->text(), "2");
    EXPECT_TRUE(item(staticAddress).Correct);
    EXPECT_FALSE(item(routerPage).Correct);
    QTest::mouseClick(main->Attempt()->Review().btnExamResults(), Qt::LeftButton);
    ASSERT_EQ(main->CurrentScreen(), ScreenId::ExamResults);
    EXPECT_EQ(main->Attempt()->Results().lbScore()->text(), "59") << "1 of 17 on 1000 points";
    EXPECT_EQ(main->Attempt()->Results().lbGrade()->text(), "FAIL");
    main.reset();  // the history is on disk now

    xbase::Engine xbase;
    base::RecordingMessageSink messages;
    history::TTHistory history(xbase, database().toStdString(), messages);
    ASSERT_TRUE(history.OpenHistorySess(0, "", 2, "NETESS", "Ada"));
    history::HistorySess record;
    history.Get_CurHistoryInfo(record);
    const history::HistorySlot& latest = record.Slots[0];
    EXPECT_EQ(latest.TestID, "NET-SVC");
    EXPECT_EQ(latest.QTAKEN, 17);
    EXPECT_EQ(latest.QTRIED, 2);
    EXPECT_EQ(latest.QRIGHT, 1);
}

// Whatever still runs for a simulation stops when its question is left, so
// that a delay running out later changes nothing in the parked panel.
TEST_F(DemoSimulationAttempt, LeavingASimulationStopsItsTimedFrame) {
    const struct {
        const char* name;
        std::function<void(DemoSimulationAttempt&)> leave;
    } ways[] = {
        {"for the next question", [](DemoSimulationAttempt& t) { t.next(); }},
        {"for the main screen", [](DemoSimulationAttempt& t) { t.leaveExam(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        start("NET-SVC", ExamMode::OpenBook);
        const int at = goTo("router-page.sim");
        key(Qt::Key_L, Qt::ControlModifier);
        type("192.168.1.1");
        key(Qt::Key_Return);
        ASSERT_EQ(frame(), 3);
        ASSERT_TRUE(timer->isActive());
        way.leave(*this);
        EXPECT_FALSE(timer->isActive());
        ticks(20);
        EXPECT_EQ(frame(), 3) << "nothing moves in the parked panel";
        if (main->CurrentScreen() == ScreenId::TestWindow) {
            EXPECT_EQ(attempt().CurrentItem(), at + 1);
            EXPECT_FALSE(item(at).Answered) << "a simulation left unfinished is not answered";
            leaveExam();
        }
    }
}

// The bank of this fixture holds damaged simulations, as a copy made by a
// faulty tool could: the static-address file cut short, the router-page file
// with a version word no reader knows, and the file-manager question naming
// its file outside the exam's folder.
class DamagedSimulationAttempt : public DemoSimulationAttempt {
protected:
    static constexpr const char* kOutsideName = "../../outside.sim";

    void SetUp() override {
        prepareBank = [](const QString& database) {
            xbase::Engine xbase;
            base::RecordingMessageSink messages;
            questionbank::TTesting bank(xbase, database.toStdString(), messages);
            int damaged = 0;
            for (const char* exam : {"NET-SVC", "LNX-FILES"}) {
                ASSERT_EQ(bank.OpenTest(exam), 0) << bank.LastError();
                for (int n = 1; n <= bank.QuestionCount(); ++n) {
                    ASSERT_EQ(bank.GoToTestQuestion(n), 0);
                    const questionbank::TestQuestionInfo q = bank.QuestionInfo();
                    const QString file = QString::fromStdString(q.GRAPHIC).trimmed();
                    if (file == "file-manager.sim") {
                        ASSERT_EQ(bank.ChangeCurrentTestQuestionInfo(
                                      q.NUM, q.TYPE, q.TITLE, q.QUESTION, q.NUMANSWER, q.ANSWER,
                                      q.Hint, q.REF, kOutsideName, q.CaseID),
                                  0)
                            << bank.LastError();
                        ++damaged;
                        continue;
                    }
                    if (file != "static-address.sim" && file != "router-page.sim") continue;
                    auto stored = bank.GetGraphicData();
                    ASSERT_TRUE(stored.isOk()) << stored.message();
                    QByteArray bytes = QByteArray::fromStdString(stored.value());
                    if (file == "static-address.sim") {
                        bytes.truncate(40);  // the picture ends before it began
                    } else {
                        bytes[2] = '\x33';  // version word 0x0133
                    }
                    ASSERT_EQ(bank.SetGraphicData(bytes.toStdString()), 0) << bank.LastError();
                    ++damaged;
                }
                bank.CloseTest();
            }
            ASSERT_EQ(damaged, 3);
        };
        DemoSimulationAttempt::SetUp();
    }

    std::vector<Event> told() const {
        std::vector<Event> events;
        for (const auto& entry : dialogs.entries()) events.push_back(entry.event);
        return events;
    }
};

// The learner is told, the panel says it cannot play, nothing in it acts,
// and the attempt goes on with the next question, unanswered.
TEST_F(DamagedSimulationAttempt, IsReportedAndTheAttemptGoesOn) {
    start("NET-SVC", ExamMode::OpenBook);
    dialogs.clear();
    const int cutShort = goTo("static-address.sim");
    EXPECT_EQ(told(), std::vector<Event>{Event::Error});
    const QString error = dialogs.entries().front().text;
    EXPECT_TRUE(error.startsWith(engine::DialogSimulationServices::kCannotPlayMessage));
    EXPECT_TRUE(error.contains("static-address.sim: ")) << error.toStdString();
    EXPECT_FALSE(sim().Playable());
    EXPECT_TRUE(test().SimulationWidget()->isVisible());
    EXPECT_TRUE(sim().Note()->isVisible());
    EXPECT_TRUE(test().SimulationWidget()->geometry().contains(
        sim().Note()->geometry().translated(kPanelArea.topLeft())));
    shot("17-simulation-damaged.png");
    click({200, 89});
    EXPECT_EQ(attempt().CurrentItem(), cutShort) << "nothing to play, nothing happens";

    // The unknown version is asked about after a beep; No (the box closed)
    // leaves nothing to play either.
    dialogs.clear();
    next();
    const int unknownVersion = attempt().CurrentItem();
    ASSERT_EQ(unknownVersion, cutShort + 1);
    EXPECT_EQ(told(), (std::vector<Event>{Event::Beep, Event::Dialog}));
    EXPECT_EQ(dialogs.entries().back().text, "Error");
    EXPECT_FALSE(sim().Playable());
    EXPECT_TRUE(sim().Note()->isVisible());
    next();
    EXPECT_EQ(attempt().CurrentItem(), unknownVersion + 1);
    EXPECT_FALSE(item(cutShort).Answered);
    EXPECT_FALSE(item(unknownVersion).Answered);
    leaveExam();

    // A file the bank refuses to write is said once, by the test screen.
    start("LNX-FILES", ExamMode::OpenBook);
    dialogs.clear();
    const int notWritten = goTo(kOutsideName);
    EXPECT_EQ(told(), std::vector<Event>{Event::Error});
    EXPECT_TRUE(dialogs.entries().front().text.startsWith(
        "The simulation file of this question could not be written:"))
        << dialogs.entries().front().text.toStdString();
    EXPECT_FALSE(QFile::exists(database() + "../outside.sim"));
    EXPECT_FALSE(sim().Playable());
    EXPECT_TRUE(sim().Note()->isVisible());
    next();
    EXPECT_EQ(main->CurrentScreen(), ScreenId::ExamReview) << "it was the last question";
    EXPECT_FALSE(item(notWritten).Answered);
}

}  // namespace
}  // namespace zentrix::demo
