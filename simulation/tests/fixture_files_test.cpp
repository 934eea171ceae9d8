#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <string>

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

// A fixture is named after what the loader says of it: the reason it is
// refused (or the question it asks first), lower case, numbers as "n", words
// joined by "-", cut to 70 characters; "fuzzed-file-that-reads" for a find
// that reads.
std::string slug(QString text) {
    text.replace(QRegularExpression(QStringLiteral("\"[^\"]*\"")), QStringLiteral("name"));
    std::string out;
    bool inNumber = false;
    for (const QChar c : text.toLower()) {
        const char ch = c.toLatin1();
        const bool digit = ch >= '0' && ch <= '9';
        if (digit && !inNumber) out += 'n';
        if (ch >= 'a' && ch <= 'z') out += ch;
        if (!digit && !(ch >= 'a' && ch <= 'z') && !out.empty() && out.back() != '-') out += '-';
        inNumber = digit;
    }
    while (!out.empty() && out.back() == '-') out.pop_back();
    return out.substr(0, 70);
}

// Inputs the fuzzer once found troublesome: each gives the value its name
// promises, never a crash, and a file that reads shows all its frames.
TEST(FixtureFiles, FuzzerFindsAreHandled) {
    const QFileInfoList files = fixtures("fuzz");
    ASSERT_GE(files.size(), 30) << "the fuzzer's finds are missing from "
                                << ZENTRIX_SIMULATION_FIXTURES;
    for (const QFileInfo& info : files) {
        SCOPED_TRACE(info.fileName().toStdString());
        SimulationContent content;
        testing::ScriptedQuestions questions({true, true});
        auto outcome = SimulationLoader(questions).load(info.filePath(), content);
        std::string said;
        if (!outcome.isOk()) {
            EXPECT_TRUE(content.Frames.empty());
            // The message starts with the file's path.
            const std::string message = outcome.message();
            const size_t start = message.find(info.fileName().toStdString());
            said = slug(QString::fromStdString(
                message.substr(start == std::string::npos ? 0 : start + info.fileName().size())));
        } else if (!questions.asked.isEmpty()) {
            said = slug(questions.asked.front());
        } else {
            said = "fuzzed-file-that-reads";
        }
        if (outcome.isOk()) {
            for (int n = 1; n <= content.Picture.frameCount(); ++n)
                EXPECT_TRUE(content.Picture.showFrame(n));
        }
        EXPECT_EQ(info.completeBaseName().toStdString(), said);
    }
}

}  // namespace
}  // namespace zentrix::simulation
