// Tables our engine writes are read by Debian's python3-dbfread, and
// FoxPro tables with memos written by python3-dbf are read by our engine.
// Both run under the system interpreter; the tests skip when it lacks them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "test_support.h"
#include "xbase/dbf_format.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool pythonHas(const char* module) {
    if (!std::filesystem::exists(kPython)) return false;
    const std::string command =
        std::string(kPython) + " -c 'import " + module + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Runs a script; gives its standard output and exit status.
std::pair<std::string, int> runPython(const testing::TempDir& dir, const std::string& script) {
    const std::string path = dir.file("script.py");
    testing::writeBytes(path, script);
    FILE* pipe = ::popen((std::string(kPython) + " " + path + " 2>&1").c_str(), "r");
    std::string out;
    char buf[4096];
    while (size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    const int status = ::pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(PythonInterop, DbfreadReadsOurTables) {
    if (!pythonHas("dbfread")) GTEST_SKIP() << "python3-dbfread not installed";
    testing::TempDir dir;
    Engine engine;
    {
        auto made = engine.create(
            dir.file("course.dbf"),
            {{"ID", 'C', 10, 0}, {"TITLE", 'M', 10, 0}, {"NUM", 'N', 6, 2}, {"PIC", 'M', 10, 0}},
            {{"ID", "ID", ".NOT. DELETED()"}});
        ASSERT_TRUE(made) << made.message();
        Table& t = *made.value();
        const std::string picture("\x03\0\0\0\x89PN", 7);
        struct Row {
            const char* id;
            std::string title;
            double num;
            bool picture, deleted;
        } rows[] = {{"A001", "First\r\nline two", 1.5, true, false},
                    {"B002", "Caf\xE9", -12.25, false, true},
                    {"C003", "", 0, false, false},
                    {"D004", std::string(700, 'x'), 999.99, true, false}};
        for (const Row& r : rows) {
            ASSERT_TRUE(t.appendBlank());
            ASSERT_TRUE(t.assign(t.field("ID"), r.id));
            ASSERT_TRUE(t.assignMemo(t.field("TITLE"), r.title));
            ASSERT_TRUE(t.assignDouble(t.field("NUM"), r.num));
            if (r.picture) {
                ASSERT_TRUE(t.assignMemoBytes(t.field("PIC"), picture.data(), picture.size()));
            }
            ASSERT_TRUE(t.commit());
            if (r.deleted) {
                ASSERT_TRUE(t.markDeleted());
            }
        }
        // A memo rewritten after the fact: dbfread must follow the new block.
        ASSERT_TRUE(t.go(3));
        ASSERT_TRUE(t.assignMemo(t.field("TITLE"), "rewritten"));
        ASSERT_TRUE(t.commit());
    }
    const std::string script = R"PY(
import sys
from dbfread import DBF
t = DBF(sys.argv[0].replace('script.py', 'course.dbf'), encoding='cp1252', load=True)
assert t.dbversion.startswith('FoxPro'), t.dbversion
pic = b'\x03\x00\x00\x00\x89PN'
want = [
    {'ID': 'A001', 'TITLE': 'First\r\nline two', 'NUM': 1.5, 'PIC': pic},
    {'ID': 'C003', 'TITLE': 'rewritten', 'NUM': 0, 'PIC': None},
    {'ID': 'D004', 'TITLE': 'x' * 700, 'NUM': 999.99, 'PIC': pic},
]
deleted = [{'ID': 'B002', 'TITLE': 'Caf\u00e9', 'NUM': -12.25, 'PIC': None}]
def norm(records):
    return [{k: (v if v not in (b'', '') else None) if k == 'PIC' else v for k, v in dict(r).items()} for r in records]
assert norm(t.records) == want, norm(t.records)
assert norm(t.deleted) == deleted, norm(t.deleted)
print('OK')
)PY";
    auto [out, status] = runPython(dir, script);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "OK\n");
}

TEST(PythonInterop, WeReadFoxProTablesWrittenByPythonDbf) {
    if (!pythonHas("dbf")) GTEST_SKIP() << "python3-dbf not installed";
    testing::TempDir dir;
    const std::string script = R"PY(
import sys, dbf
t = dbf.Table(sys.argv[0].replace('script.py', 'PYTABLE.DBF'), 'ID C(10); TITLE M; NUM N(5,1); NOTE M', dbf_type='fp', codepage='cp1252')
t.open(dbf.READ_WRITE)
t.append(('A001', 'Hello memo', 5.5, ''))
t.append(('B002', 'x' * 300, -7, 'second'))
t.append(('C003', 'Caf\u00e9', 0, 'line\r\nbreak'))
dbf.delete(t[1])
t.close()
print('OK')
)PY";
    auto [out, status] = runPython(dir, script);
    ASSERT_EQ(status, 0) << out;

    Engine engine;
    auto opened = engine.open(dir.file("pytable.dbf"));
    ASSERT_TRUE(opened) << opened.message();
    Table& t = *opened.value();
    EXPECT_EQ(t.info().version, dbf::kVersionFoxPro2Memo);
    ASSERT_EQ(t.recordCount(), 3u);
    struct Want {
        const char* id;
        std::string title;
        double num;
        const char* note;
        bool deleted;
    } want[] = {{"A001      ", "Hello memo", 5.5, "", false},
                {"B002      ", std::string(300, 'x'), -7, "second", true},
                {"C003      ", "Caf\xE9", 0, "line\r\nbreak", false}};
    for (uint32_t r = 1; r <= 3; ++r) {
        SCOPED_TRACE("record " + std::to_string(r));
        ASSERT_TRUE(t.go(r));
        const Want& w = want[r - 1];
        EXPECT_EQ(t.text(t.field("id")), w.id);
        EXPECT_EQ(t.memo(t.field("title")), w.title);
        EXPECT_DOUBLE_EQ(t.asDouble(t.field("num")), w.num);
        EXPECT_EQ(t.memo(t.field("note")), w.note);
        EXPECT_EQ(t.deleted(), w.deleted);
    }
    // Our engine keeps writing to it, and python3-dbf's memo file stays valid.
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.assign(t.field("ID"), "D004"));
    ASSERT_TRUE(t.assignMemo(t.field("NOTE"), "added by us"));
    ASSERT_TRUE(t.commit());
    ASSERT_TRUE(t.go(2));
    EXPECT_EQ(t.memo(t.field("title")), std::string(300, 'x'));
    EXPECT_EQ(engine.takeErrorCode(), kNoError) << engine.lastError();
}

}  // namespace
}  // namespace zentrix::xbase
