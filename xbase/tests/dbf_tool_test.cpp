// zentrix-dbf as people run it: output, exit status and error stream.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "test_support.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

struct ToolRun {
    std::string out;
    int status = -1;
};

ToolRun tool(const std::string& args) {
    const std::string command = std::string(ZENTRIX_DBF_TOOL) + " " + args + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ToolRun run;
    char buf[4096];
    while (size_t n = std::fread(buf, 1, sizeof buf, pipe)) run.out.append(buf, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class DbfToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* ext : {"dbf", "fpt", "cdx"})
            std::filesystem::copy_file(
                std::string(ZENTRIX_SOURCE_DIR) + "/xbase/tests/data/sample/ptest." + ext,
                dir.file(std::string("ptest.") + ext));
        table = dir.file("ptest.dbf");
    }
    testing::TempDir dir;
    std::string table;
};

TEST_F(DbfToolTest, InfoListsFieldsAndTags) {
    const ToolRun run = tool("info " + table);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("records: 4"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  TITLE M 10 0\n"), std::string::npos);
    EXPECT_NE(run.out.find("  ID key=\"ID\" for=\".NOT. DELETED()\""), std::string::npos);
}

TEST_F(DbfToolTest, DumpHidesDeletedUnlessAskedAndFollowsATag) {
    EXPECT_EQ(tool("dump " + table).out.find("OLD-001"), std::string::npos);
    const ToolRun all = tool("dump " + table + " --deleted");
    EXPECT_NE(all.out.find("3\t*\tOLD-001   \tRetired course\t"), std::string::npos) << all.out;
    const ToolRun tagged = tool("dump " + table + " --tag id");
    EXPECT_EQ(tagged.out.substr(0, 3), "4\t ") << tagged.out;
    const ToolRun json = tool("dump " + table + " --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"recno\": 2, \"deleted\": false, \"ID\": \"SEC-201   \""),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"DESCRIP\": \"Threats, controls and\\r\\nincident response.\""),
              std::string::npos);
}

TEST_F(DbfToolTest, ByteMemosShowTheirSizeOrBase64) {
    {
        Engine engine;
        auto made =
            engine.create(dir.file("pics.dbf"), {{"NAME", 'C', 8, 0}, {"DATA", 'M', 10, 0}}, {});
        ASSERT_TRUE(made) << made.message();
        Table& t = *made.value();
        const std::string picture("\x03\0\0\0GIF", 7);
        ASSERT_TRUE(t.appendBlank());
        ASSERT_TRUE(t.assign(t.field("NAME"), "a.gif"));
        ASSERT_TRUE(t.assignMemoBytes(t.field("DATA"), picture.data(), picture.size()));
        ASSERT_TRUE(t.commit());
    }
    EXPECT_EQ(tool("dump " + dir.file("pics.dbf")).out, "1\t \ta.gif   \t<7 bytes>\n");
    EXPECT_NE(
        tool("dump " + dir.file("pics.dbf") + " --json").out.find("\"DATA\": \"AwAAAEdJRg==\""),
        std::string::npos);
}

TEST_F(DbfToolTest, JsonCarriesWindows1252TextAsUnicode) {
    {
        Engine engine;
        auto made =
            engine.create(dir.file("text.dbf"), {{"NAME", 'C', 12, 0}, {"NOTE", 'M', 10, 0}}, {});
        ASSERT_TRUE(made) << made.message();
        Table& t = *made.value();
        ASSERT_TRUE(t.appendBlank());
        ASSERT_TRUE(t.assign(t.field("NAME"),
                             "Caf\xe9 \x80"
                             "5"));
        ASSERT_TRUE(t.assignMemo(t.field("NOTE"), "\x93quoted\x94 \x01"));
        ASSERT_TRUE(t.commit());
    }
    const ToolRun json = tool("dump " + dir.file("text.dbf") + " --json");
    EXPECT_EQ(json.status, 0) << json.out;
    EXPECT_NE(json.out.find("\"NAME\": \"Caf\\u00e9 \\u20ac5     \""), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"NOTE\": \"\\u201cquoted\\u201d \\u0001\""), std::string::npos)
        << json.out;
    for (unsigned char c : json.out) EXPECT_LT(c, 0x80) << "JSON output is plain ASCII";
}

TEST_F(DbfToolTest, CheckFindsAMismatchAndReindexRepairsIt) {
    EXPECT_EQ(tool("check " + table).status, 0);
    // Change a key behind the index's back.
    std::string bytes = testing::readBytes(table);
    bytes.replace(226 + 1, 3, "ZZZ");
    testing::writeBytes(table, bytes);
    const ToolRun check = tool("check " + table);
    EXPECT_EQ(check.status, 1) << check.out;
    EXPECT_NE(check.out.find("tag ID"), std::string::npos) << check.out;
    EXPECT_EQ(tool("reindex " + table).status, 0);
    EXPECT_EQ(tool("check " + table).status, 0);
}

TEST_F(DbfToolTest, UnreadableInputExitsWithTwoNamingTheFile) {
    testing::writeBytes(dir.file("junk.dbf"), "not a table at all, just some text");
    for (const std::string& args :
         {"info " + dir.file("junk.dbf"), "dump " + dir.file("missing.dbf"),
          "dump " + table + " --tag NOSUCH", "frobnicate " + table}) {
        const ToolRun run = tool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_FALSE(run.out.empty()) << args;
    }
    EXPECT_NE(tool("info " + dir.file("junk.dbf")).out.find("junk.dbf"), std::string::npos);
}

}  // namespace
}  // namespace zentrix::xbase
