// zentrix-sim play: the authors' player window and the command's exit status.

#include <gtest/gtest.h>

#include <QCursor>
#include <QProcess>
#include <QTest>

#include "tools/sim/simulation_play_window.h"

namespace zentrix::tools {
namespace {

class NoQuestions : public simulation::QuestionService {
public:
    bool askYesNo(const QString&) override { return false; }
};

class NoErrors : public simulation::ErrorReporter {
public:
    void reportError(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
};

const QString kStaticAddress = QStringLiteral(ZENTRIX_DEMO_SIMULATIONS "/static-address.sim");

struct PlayCase {
    const char* name;
    bool testMode;
    int frameAfter;  // after a wrong click, then a click on the link
};

class PlayWindow : public ::testing::TestWithParam<PlayCase> {};

TEST_P(PlayWindow, SaysWhatHappenedAndStopsUnlessInTestMode) {
    const PlayCase& c = GetParam();
    QCursor::setPos(-1000, -1000);
    NoQuestions questions;
    NoErrors errors;
    SimulationPlayWindow window(questions, errors, c.testMode);
    QStringList said;
    window.onOutcome = [&](const QString& text) { said.append(text); };
    ASSERT_TRUE(window.open(kStaticAddress));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.panel()->pictureSize(), window.panel()->size());
    QWidget* picture = reinterpret_cast<QWidget*>(window.panel()->picture());
    QTest::mouseClick(picture, Qt::LeftButton, {}, {10, 10});   // beside the link: wrong
    QTest::mouseClick(picture, Qt::LeftButton, {}, {200, 89});  // the link
    EXPECT_EQ(said, QStringList{"incorrect at frame 1"});
    EXPECT_EQ(window.panel()->currentFrame(), c.frameAfter);
    EXPECT_EQ(window.lastOutcome(), -1);
    EXPECT_TRUE(window.status().startsWith("incorrect at frame 1"));
}

const PlayCase kPlayCases[] = {
    {"first_outcome_ends_it", false, 1},
    {"test_mode_plays_on", true, 2},
};

INSTANTIATE_TEST_SUITE_P(Play, PlayWindow, ::testing::ValuesIn(kPlayCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct CommandCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* error;
};

class PlayCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(PlayCommand, RefusesWhatItCannotPlay) {
    const CommandCase& c = GetParam();
    QProcess tool;
    tool.start(QStringLiteral(ZENTRIX_SIM_TOOL), QStringList{"play"} + c.arguments);
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), c.exitCode);
    EXPECT_TRUE(QString::fromLocal8Bit(tool.readAllStandardError()).contains(c.error));
}

const CommandCase kCommandCases[] = {
    {"no_file", {}, 1, "usage: zentrix-sim play FILE [--test-mode]"},
    {"two_files", {"a.qsf", "b.qsf"}, 1, "usage"},
    {"unknown_option", {"a.qsf", "--fast"}, 1, "usage"},
    {"missing_file", {"missing.qsf", "--test-mode"}, 2, "missing.qsf: cannot be opened"},
};

INSTANTIATE_TEST_SUITE_P(Play, PlayCommand, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zentrix::tools
