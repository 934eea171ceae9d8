// zentrix-bank run in-process against banks in scratch folders.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "base/message_sink.h"
#include "history/tthistory.h"
#include "questionbank/ttesting.h"
#include "tools/bank/bank_command.h"
#include "tools/bank/tests/bank_command_fixture.h"
#include "xbase/engine.h"

namespace zentrix::banktool {
namespace {

namespace fs = std::filesystem;

class BankTool : public BankCommandFixture {
protected:
    BankTool() : BankCommandFixture("zentrix-bank") {}

    void SetUp() override {
        BankCommandFixture::SetUp();
        // The documented example with its three files.
        fs::copy_file(fs::path(ZENTRIX_SOURCE_DIR) / "tools/bank/examples/net101a.exam",
                      root_ / "src/net101a.exam");
        writeBytes(root_ / "src/cover.gif", std::string("GIF89a\0\x01cover", 13));
        writeBytes(root_ / "src/router.gif", std::string("GIF89a\xff\x00router", 14));
        writeBytes(root_ / "src/config.sim", std::string("SIM\x00\x01\x02\x03", 7));
        ASSERT_EQ(0, run({"init", bank_})) << err_;
    }

    std::string source(const char* name = "net101a.exam") const {
        return (root_ / "src" / name).string();
    }

    // No staging or set-aside folders left beside the bank.
    size_t foldersBesideTheBank() const {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(root_)) count += entry.is_directory();
        return count;
    }
};

TEST_F(BankTool, ImportThenExportGivesTheSourceBack) {
    ASSERT_EQ(0, run({"import", bank_, source()})) << err_;
    EXPECT_EQ("imported exam NET101A\n", out_);
    ASSERT_EQ(0, run({"export", bank_, "NET101A", (root_ / "out").string()})) << err_;
    EXPECT_EQ(readBytes(source()), readBytes(root_ / "out/NET101A.exam"));
    for (const char* file : {"cover.gif", "router.gif", "config.sim"})
        EXPECT_EQ(readBytes(root_ / "src" / file), readBytes(root_ / "out" / file)) << file;
    EXPECT_EQ(3u, foldersBesideTheBank()) << "src, out and bank only";
}

TEST_F(BankTool, ExportOfAnEditedExamReadsBackToTheSameExport) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    ASSERT_EQ(0, run({"renumber", bank_, "NET101A", "4", "1"})) << err_;
    ASSERT_EQ(0, run({"delete-question", bank_, "NET101A", "2"})) << err_;
    ASSERT_EQ(0, run({"export", bank_, "NET101A", (root_ / "out1").string()})) << err_;
    const std::string first = readBytes(root_ / "out1/NET101A.exam");
    EXPECT_NE(std::string::npos, first.find("id = 4\ntype = \"simulation\"")) << first;
    EXPECT_NE(std::string::npos, first.find("id = 2\ntype = \"single-choice\"")) << first;
    EXPECT_EQ(std::string::npos, first.find("next_id")) << "5 follows from the ids";

    ASSERT_EQ(0, run({"import", "--replace", bank_, (root_ / "out1/NET101A.exam").string()}))
        << err_;
    ASSERT_EQ(0, run({"export", bank_, "NET101A", (root_ / "out2").string()})) << err_;
    EXPECT_EQ(first, readBytes(root_ / "out2/NET101A.exam"));
}

TEST_F(BankTool, ImportIntoTheCurrentFolderStagesBesideIt) {
    const fs::path before = fs::current_path();
    fs::current_path(bank_);
    const int status = run({"import", ".", source()});
    fs::current_path(before);
    ASSERT_EQ(0, status) << err_;
    EXPECT_EQ(2u, foldersBesideTheBank());
    EXPECT_TRUE(fs::exists(fs::path(bank_) / "net101a" / "NET101A.dbf"));
    size_t inside = 0;
    for (const auto& entry : fs::directory_iterator(bank_)) inside += entry.is_directory();
    EXPECT_EQ(1u, inside) << "only the exam's folder inside the bank";
}

TEST_F(BankTool, FolderWithoutTrailingSeparatorStillHoldsTheExamTables) {
    std::string source_ = readBytes(source());
    const std::string withSlash = "folder = \"net101a/\"";
    source_.replace(source_.find(withSlash), withSlash.size(), "folder = \"net101a\"");
    writeBytes(source("bare.exam"), source_);
    ASSERT_EQ(0, run({"import", bank_, source("bare.exam")})) << err_;
    EXPECT_TRUE(fs::exists(fs::path(bank_) / "net101a" / "NET101A.dbf"));
    EXPECT_FALSE(fs::exists(fs::path(bank_) / "net101aNET101A.dbf"));
    ASSERT_EQ(0, run({"dump", bank_, "NET101A"})) << err_;
    EXPECT_NE(std::string::npos, out_.find("Hubs")) << out_;
}

TEST_F(BankTool, ReimportIsRefusedAndTheBankIsUnchanged) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    const auto before = snapshot(bank_);
    EXPECT_EQ(1, run({"import", bank_, source()}));
    EXPECT_NE(std::string::npos, err_.find("NET101A is already in the bank")) << err_;
    EXPECT_EQ(before, snapshot(bank_));
    EXPECT_EQ(2u, foldersBesideTheBank());
}

TEST_F(BankTool, FailureAfterAnExamWasStoredLeavesTheBankByteIdentical) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    std::string second = readBytes(source());
    second.replace(second.find("id = \"NET101A\""), 14, "id = \"NET101B\"");
    second.replace(second.find("table = \"NET101A\""), 17, "table = \"NET101B\"");
    writeBytes(source("net101b.exam"), second);
    const auto before = snapshot(bank_);
    // NET101B is stored in the staging copy, then NET101A is refused.
    EXPECT_EQ(1, run({"import", bank_, source("net101b.exam"), source()}));
    EXPECT_NE(std::string::npos, err_.find("bank is unchanged")) << err_;
    EXPECT_EQ(before, snapshot(bank_));
    EXPECT_EQ(2u, foldersBesideTheBank());
}

TEST_F(BankTool, ExamWhoseTablesWouldOverwriteAnotherIsRefused) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    std::string clash = readBytes(source());
    clash.replace(clash.find("id = \"NET101A\""), 14, "id = \"NET101C\"");
    writeBytes(source("clash.exam"), clash);
    const auto before = snapshot(bank_);
    EXPECT_EQ(1, run({"import", bank_, source("clash.exam")}));
    EXPECT_NE(std::string::npos, err_.find("already holds a table")) << err_;
    EXPECT_EQ(before, snapshot(bank_));
}

TEST_F(BankTool, BadSourceNamesFileAndLineAndExitsNonZero) {
    std::string bad = readBytes(source());
    bad.replace(bad.find("correct = 3"), 11, "correct = 4");
    writeBytes(source("bad.exam"), bad);
    const auto before = snapshot(bank_);
    EXPECT_EQ(1, run({"import", bank_, source("bad.exam")}));
    EXPECT_NE(std::string::npos,
              err_.find("bad.exam:36: \"correct\" is 4 but the question has 3 choices"))
        << err_;
    EXPECT_EQ(before, snapshot(bank_));

    fs::remove(root_ / "src/router.gif");
    EXPECT_EQ(1, run({"import", bank_, source()}));
    EXPECT_NE(std::string::npos,
              err_.find("net101a.exam:32: file \"router.gif\" is not beside the source"))
        << err_;
}

TEST_F(BankTool, TreeListsRowsAsTextAndJson) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    ASSERT_EQ(0, run({"tree", bank_}));
    EXPECT_NE(std::string::npos,
              out_.find("   1  0 2 0  exam        Networking Basics, part A  [NET101A]"))
        << out_;
    ASSERT_EQ(0, run({"tree", bank_, "--json", "--no-mixed", "--questions"}));
    EXPECT_NE(std::string::npos, out_.find("{\"CourseId\": \"NET101\", \"TestId\": \"NET101A\", "
                                           "\"Title\": \"Question:    4 - Configure a "
                                           "port\", \"NodeKind\": 2, \"pPS\": 0, \"gPS\": 0, "
                                           "\"qPS\": 3, \"QuestionNo\": 4, \"RowIndex\": 5}"))
        << out_;
    EXPECT_EQ(std::string::npos, out_.find("Zentrix for"));
}

// A training centre imports an exam while engines run on the bank: attempts
// they record before, during and after the import all stay in the history,
// and the catalogue they hold open shows the new exam.
TEST_F(BankTool, ImportIntoABankInUseKeepsTheEnginesWork) {
    xbase::Engine engine;
    base::RecordingMessageSink sink;
    history::TTHistory history(engine, bank_, sink);
    questionbank::TTesting catalogue(engine, bank_, sink);
    ASSERT_TRUE(history.valid());
    auto attempt = [&](int count) {
        if (history.KeyIDExists("Ann", "NET101"))
            ASSERT_TRUE(history.OpenHistorySess(0, "", 2, "NET101", "Ann"));
        else
            ASSERT_GT(history.AddHistorySess("Ann", "NET101"), 0);
        history.StartTest(history::kOpenBook, count, "NET101A");
        history.EndTest(1, 1);
    };
    attempt(1);
    ASSERT_EQ(0, run({"import", bank_, source()})) << err_;
    attempt(2);
    EXPECT_TRUE(catalogue.TestExists("NET101A"));
    EXPECT_EQ(2u, foldersBesideTheBank()) << "no staging folder is left behind";

    xbase::Engine later;
    history::TTHistory reread(later, bank_, sink);
    ASSERT_TRUE(reread.OpenHistorySess(0, "", 2, "NET101", "Ann"));
    history::HistorySess session;
    reread.Get_CurHistoryInfo(session);
    EXPECT_EQ(2, session.Slots[0].QTAKEN);
    EXPECT_EQ(1, session.Slots[1].QTAKEN);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(BankTool, CommandErrorsAndUsage) {
    ASSERT_EQ(0, run({"import", bank_, source()}));
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* fragment;
    };
    const Case cases[] = {
        {{}, 2, "usage"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"tree", bank_, "--verbose"}, 2, "unknown option --verbose"},
        {{"renumber", bank_, "NET101A", "1"}, 2, "usage"},
        {{"renumber", bank_, "NET101A", "1", "9"}, 1, "has questions 1 to 4"},
        {{"delete-question", bank_, "NOPE", "1"}, 1, "exam NOPE is not in"},
        {{"export", bank_, "NOPE", (root_ / "out").string()}, 1, "exam NOPE is not in"},
        {{"import", (root_ / "nobank").string(), source()}, 1, "holds no question bank"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, run(c.args)) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_NE(std::string::npos, err_.find(c.fragment)) << err_;
    }
    ASSERT_EQ(0, run({"dump", bank_, "NET101A"}));
    EXPECT_NE(std::string::npos,
              out_.find("record 4: NUM 4, ID \"   4\", TITLE \"Configure a port\""))
        << out_;
    ASSERT_EQ(0, run({"pack", bank_, "NET101A"})) << err_;
}

}  // namespace
}  // namespace zentrix::banktool
