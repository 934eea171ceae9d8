#include <gtest/gtest.h>

#include <filesystem>

#include "base/ascii_text.h"
#include "questionbank/bank_path.h"
#include "questionbank/ttesting.h"
#include "setup/exam_package_flow.h"
#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup_fixture.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::setup::testing {
namespace {

namespace fs = std::filesystem;
using Event = RecordingSetupDialogs::Event;
using platform::RootKey;
using questionbank::TTesting;

struct Exam {
    const char* id;
    const char* path;
    const char* table;
    int questions;
};

// The medium's package bank and the installed bank, built with the
// question bank itself; the installed product's program is in place.
class ExamPackageTest : public SetupFixture {
protected:
    ExamPackageTest() {
        fs::create_directories(sourceFolder());
        fs::create_directories(installedFolder());
        writeFile(installDir() + "/zentrix", "installed engine");
        EXPECT_TRUE(platform().registry->createKey(RootKey::LocalMachine, kEngineKey));
        EXPECT_TRUE(platform().registry->setValue(RootKey::LocalMachine, kEngineKey, "HomeDir",
                                                  installDir() + "/"));
        EXPECT_TRUE(platform().registry->setValue(RootKey::LocalMachine, kEngineKey, "DatabaseDir",
                                                  installedFolder() + "/"));
        writeMediumProgram("zentrix-install", "exit 0");
    }

    std::string sourceFolder() const { return medium("vire/database"); }
    std::string installedFolder() const { return installDir() + "/database"; }

    void writePackageScript(const std::string& pre, int count = 1) {
        writeScript(std::string("[Main]\nProgram Name=Zentrix\nExeName=\\zentrix\nKey=") +
                    kEngineKey + "\nDatabaseKey=" + kEngineKey +
                    "\nDatabaseString=DatabaseDir\nNumPreInstalledTests=" + std::to_string(count) +
                    "\nPre1=" + pre + "\n");
    }

    // Adds a course (when missing) and its exams, each with `questions`
    // questions whose texts start with `label`; NEXTID ends 10 above.
    void build(const std::string& folder, const std::string& course, std::vector<Exam> exams,
               const std::string& label) {
        fs::create_directories(folder);
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        TTesting bank(engine, folder, sink);
        ASSERT_TRUE(bank.IsValid()) << bank.LastError();
        if (!bank.ParentExists(course)) {
            ASSERT_EQ(bank.AddParent(course, "Security Basics", "About security", "0:20", 10), 0);
        }
        for (const Exam& exam : exams) {
            ASSERT_EQ(bank.AddTest(exam.id, course, exam.path, exam.table,
                                   std::string(exam.id) + " title"),
                      0)
                << bank.LastError();
            ASSERT_EQ(bank.OpenTest(exam.id), 0) << bank.LastError();
            for (int q = 1; q <= exam.questions; ++q) {
                ASSERT_GT(bank.AddTestQuestion(q, 0, label + " " + std::to_string(q), "Text", 0,
                                               "TRUE", "", "", "", 0),
                          0)
                    << bank.LastError();
            }
            ASSERT_EQ(bank.ChangeGlobalCrap(exam.questions, exam.questions + 10), 0);
            bank.CloseTest();
        }
    }

    // Writes a PATH no bank tool would, straight into the exam table.
    void setPath(const std::string& folder, const std::string& prodId, const std::string& path) {
        xbase::Engine engine;
        auto table = engine.open(folder + "/gtest.dbf");
        ASSERT_TRUE(table) << table.message();
        xbase::Table& exams = *table.value();
        for (bool on = exams.top(); on; on = exams.skip(1)) {
            if (base::ascii::trimmedRight(exams.text(exams.field("PRODID")), base::ascii::kBlank) !=
                prodId)
                continue;
            ASSERT_TRUE(exams.assignMemo(exams.field("PATH"), path));
            ASSERT_TRUE(exams.commit());
            return;
        }
        FAIL() << prodId << " not found";
    }

    InstallState runPackages() {
        SetupSession& s = newSession();
        SetupStartup startup(s);
        return startup.activate() == StartupOutcome::InstallPanel ? InstallState::NotInstalled
                                                                  : lastState();
    }
    InstallState lastState() {
        return session().state.confirmCancel ? InstallState::AlreadyInstalled
                                             : InstallState::ExamsInstalled;
    }

    struct Installed {
        bool courseExists = false;
        int courseNum = -1;
        std::vector<std::string> exams;
        int numTestQ = -1, nextId = -1;
        std::string firstTitle;
    };
    Installed installedExam(const std::string& course, const std::string& prodId) {
        xbase::Engine engine;
        base::RecordingMessageSink sink;
        TTesting bank(engine, installedFolder(), sink);
        Installed result;
        result.courseExists = bank.ParentExists(course);
        result.courseNum = bank.GetParentNum(course);
        if (bank.OpenTest(prodId) == 0) {
            result.numTestQ = bank.OpenInfo().NUMTESTQ;
            result.nextId = bank.OpenInfo().NEXTID;
            if (bank.GoToTestQuestion(1) == 0) result.firstTitle = bank.QuestionInfo().TITLE;
            bank.CloseTest();
        }
        return result;
    }
};

TEST_F(ExamPackageTest, CopiesTheExamsOfTheCourseThatTheInstalledBankLacks) {
    build(sourceFolder(), "SECBAS",
          {{"SEC-A", "security/", "SECA", 3},
           {"SEC-B", "security/", "SECB", 4},
           {"SEC-C", "", "SECC", 2}},
          "medium");
    writeFile(sourceFolder() + "/security/diagram.png", "picture");
    // The installed bank holds SEC-B already, in another version.
    build(installedFolder(), "SECBAS", {{"SEC-B", "security/", "SECB", 1}}, "installed");
    writePackageScript("SECBAS  ");  // trailing blanks in the course do not matter

    EXPECT_EQ(runPackages(), InstallState::ExamsInstalled);
    EXPECT_TRUE(dialogs.texts(Event::Error).empty()) << dialogs.texts(Event::Error)[0];
    EXPECT_EQ(session().screen.heading, texts::kAllExamsInstalled);
    EXPECT_EQ(session().screen.exitCaption, texts::kClose);
    EXPECT_TRUE(anyContains(host.statuses, texts::kCopyingNewExams));

    const Installed a = installedExam("SECBAS", "SEC-A");
    EXPECT_EQ(a.courseNum, 3);  // 1 + the two copied
    EXPECT_EQ(a.numTestQ, 3);
    EXPECT_EQ(a.nextId, 13);
    EXPECT_EQ(a.firstTitle, "medium 1");
    const Installed c = installedExam("SECBAS", "SEC-C");  // tables in the bank's own folder
    EXPECT_EQ(c.numTestQ, 2);
    EXPECT_EQ(c.nextId, 12);
    // The exam that was there is untouched, whatever the medium holds.
    const Installed b = installedExam("SECBAS", "SEC-B");
    EXPECT_EQ(b.numTestQ, 1);
    EXPECT_EQ(b.firstTitle, "installed 1");
    EXPECT_EQ(readFile(installedFolder() + "/security/diagram.png"), "picture");
}

TEST_F(ExamPackageTest, RefusesAnExamWhoseFolderWouldLeaveTheBank) {
    // Some of these name the exam's real tables on the medium, so that only
    // the check of the folder stands between them and a copy.
    const std::string folders[] = {
        "../outside/", "..\\outside\\",   "/tmp/absolute/",   "C:\\exams\\",
        "a/../../b/",  "security/../../", "../database/bad/", sourceFolder() + "/bad/"};
    for (const std::string& folder : folders) {
        SCOPED_TRACE(folder);
        fs::remove_all(sourceFolder());
        fs::remove_all(installedFolder());
        fs::create_directories(installedFolder());
        build(sourceFolder(), "SECBAS",
              {{"SEC-BAD", "bad/", "SECBAD", 2}, {"SEC-OK", "ok/", "SECOK", 1}}, "medium");
        setPath(sourceFolder(), "SEC-BAD", folder);
        writePackageScript("SECBAS");
        const std::string everything = fs::path(scratch.work()).parent_path().string();
        const std::vector<std::string> before = treeOf(everything);

        runPackages();
        const std::vector<std::string> errors = dialogs.texts(Event::Error);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find("SEC-BAD"), std::string::npos) << errors[0];
        EXPECT_EQ(installedExam("SECBAS", "SEC-BAD").numTestQ, -1);  // no catalogue entry
        EXPECT_EQ(installedExam("SECBAS", "SEC-OK").numTestQ, 1);    // the others still come
        // Nothing else appeared anywhere: only the installed bank's new files.
        for (const std::string& entry : treeOf(everything)) {
            if (std::find(before.begin(), before.end(), entry) != before.end()) continue;
            EXPECT_EQ(entry.rfind("root/programs/Zentrix/database/", 0), 0u) << entry;
            EXPECT_EQ(entry.find("bad"), std::string::npos) << entry;
        }
        EXPECT_FALSE(fs::exists("/tmp/absolute"));
    }
}

TEST_F(ExamPackageTest, RefusesAnExamWhoseTablesWouldReplaceAnInstalledExamsTables) {
    build(sourceFolder(), "SECBAS", {{"SEC-NEW", "shared/", "SHARED", 2}}, "medium");
    build(installedFolder(), "OTHER", {{"OTHER-1", "shared/", "SHARED", 1}}, "installed");
    writePackageScript("SECBAS");
    runPackages();
    ASSERT_EQ(dialogs.texts(Event::Error).size(), 1u);
    EXPECT_NE(dialogs.texts(Event::Error)[0].find("SEC-NEW"), std::string::npos);
    EXPECT_EQ(installedExam("OTHER", "OTHER-1").firstTitle, "installed 1");
    EXPECT_EQ(installedExam("SECBAS", "SEC-NEW").numTestQ, -1);
}

TEST_F(ExamPackageTest, WhatIsNotThereIsReportedAndNothingIsWrittenWhereItDoesNotBelong) {
    // No package course on the medium: a course it does not hold adds nothing.
    build(sourceFolder(), "SECBAS", {{"SEC-A", "security/", "SECA", 1}}, "medium");
    writePackageScript("NOSUCH");
    EXPECT_EQ(runPackages(), InstallState::ExamsInstalled);
    EXPECT_FALSE(installedExam("NOSUCH", "SEC-A").courseExists);
    EXPECT_EQ(installedExam("SECBAS", "SEC-A").numTestQ, -1);

    // Packages announced but no package bank on the medium: nothing is created there.
    fs::remove_all(sourceFolder());
    fs::create_directories(sourceFolder());
    writePackageScript("SECBAS");
    EXPECT_EQ(runPackages(), InstallState::AlreadyInstalled);
    EXPECT_EQ(dialogs.texts(Event::Error).size(), 1u);
    EXPECT_TRUE(treeOf(sourceFolder()).empty());

    // None announced: the updates run, then "... is already installed".
    writePackageScript("SECBAS", 0);
    EXPECT_EQ(runPackages(), InstallState::AlreadyInstalled);
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Zentrix is already installed"});
    EXPECT_TRUE(anyContains(host.statuses, texts::kCheckingForUpdates));
    EXPECT_EQ(session().screen.exitCaption, texts::kClose);
    EXPECT_TRUE(session().state.confirmCancel);  // Close still asks

    // Without the database key the product counts as not installed.
    ASSERT_TRUE(platform().registry->deleteKeyTree(RootKey::LocalMachine, kEngineKey));
    writePackageScript("SECBAS");
    EXPECT_EQ(runPackages(), InstallState::NotInstalled);
}

}  // namespace
}  // namespace zentrix::setup::testing
