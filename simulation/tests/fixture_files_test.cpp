#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "scripted_questions.h"
#include "simulation/simulation_loader.h"

namespace zentrix::simulation {
namespace {

QFileInfoList fixtures(const char* folder) {
    return QDir(QStringLiteral(ZENTRIX_SIMULATION_FIXTURES) + "/" + folder)
        .entryInfoList(QDir::Files);
}

// Files zentrix-sim built in every version (the fuzzer's seeds) read without complaint.
TEST(FixtureFiles, BuiltFilesOfEveryVersionRead) {
    const QFileInfoList files = fixtures("seeds");
    ASSERT_GE(files.size(), 10);
    for (const QFileInfo& info : files) {
        SCOPED_TRACE(info.fileName().toStdString());
        SimulationContent content;
        testing::ScriptedQuestions questions;
        auto outcome = SimulationLoader(questions).load(info.filePath(), content);
        ASSERT_TRUE(outcome.isOk()) << outcome.message();
        EXPECT_EQ(*outcome, LoadOutcome::Read);
        EXPECT_EQ(content.Picture.frameCount(), 3);
        EXPECT_GT(content.Frames[0].ZoneCount(), 0);
    }
}

// Inputs the fuzzer once found troublesome: each gives a value, never a crash,
// and a file that reads shows all its frames.
TEST(FixtureFiles, FuzzerFindsAreHandled) {
    for (const QFileInfo& info : fixtures("fuzz")) {
        SCOPED_TRACE(info.fileName().toStdString());
        SimulationContent content;
        testing::ScriptedQuestions questions({true, true});
        auto outcome = SimulationLoader(questions).load(info.filePath(), content);
        if (!outcome.isOk()) {
            EXPECT_TRUE(content.Frames.empty());
            continue;
        }
        for (int n = 1; n <= content.Picture.frameCount(); ++n)
            EXPECT_TRUE(content.Picture.showFrame(n));
    }
}

}  // namespace
}  // namespace zentrix::simulation
