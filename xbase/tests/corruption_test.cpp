// Damaged files: open says why and touches nothing, create never replaces
// them, and reads of damaged memos and indexes fail cleanly.

#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"
#include "xbase/engine.h"
#include "xbase/fuzz/fuzz_targets.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::vector<FieldSpec> kFields = {
    {"ID", 'C', 10, 0}, {"TITLE", 'M', 10, 0}, {"NUM", 'N', 4, 0}};
const std::vector<TagSpec> kTags = {{"ID", "ID", ".NOT. DELETED()"}};

void makeTable(Engine& engine, const std::string& path, int records) {
    auto t = engine.create(path, kFields, kTags);
    ASSERT_TRUE(t) << t.message();
    for (int i = 1; i <= records; ++i) {
        ASSERT_TRUE(t.value()->appendBlank());
        ASSERT_TRUE(t.value()->assign(t.value()->field("ID"), "R" + std::to_string(i)));
        ASSERT_TRUE(t.value()->assignMemo(t.value()->field("TITLE"), "memo " + std::to_string(i)));
        ASSERT_TRUE(t.value()->assignInt(t.value()->field("NUM"), i));
        ASSERT_TRUE(t.value()->commit());
    }
}

struct Damage {
    const char* name;
    const char* expect;  // part of the message
    std::function<void(std::string&)> apply;
};

class DamagedTable : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedTable, OpenExplainsAndCreateDoesNotReplace) {
    TempDir dir;
    Engine engine;
    const std::string path = dir.file("ptest.dbf");
    makeTable(engine, path, 3);
    std::string bytes = readBytes(path);
    GetParam().apply(bytes);
    writeBytes(path, bytes);

    auto opened = engine.open(path);
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.message().find(path), std::string::npos) << opened.message();
    EXPECT_NE(opened.message().find(GetParam().expect), std::string::npos) << opened.message();
    EXPECT_EQ(engine.takeErrorCode(), kErrorOpen);  // even with open errors switched off

    engine.options().createSafety = false;
    auto created = engine.create(dir.file("PTEST"), kFields, kTags);
    EXPECT_FALSE(created);
    EXPECT_NE(created.message().find("not a readable table"), std::string::npos)
        << created.message();
    EXPECT_EQ(readBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedTable,
    ::testing::Values(
        Damage{"Empty", "shorter than a table header", [](std::string& b) { b.clear(); }},
        Damage{"CutInHeader", "shorter than a table header", [](std::string& b) { b.resize(20); }},
        Damage{"CutInFields", "beyond the end", [](std::string& b) { b.resize(60); }},
        Damage{"CutInRecords", "truncated", [](std::string& b) { b.resize(b.size() - 30); }},
        Damage{"NotATable", "unknown version",
               [](std::string& b) { b = "hello, this is plain text and no table"; }},
        Damage{"HeaderLengthTooSmall", "too small",
               [](std::string& b) {
                   b[8] = 10;
                   b[9] = 0;
               }},
        Damage{"HeaderLengthHuge", "beyond the end",
               [](std::string& b) {
                   b[8] = char(0xFF);
                   b[9] = char(0xFF);
               }},
        Damage{"RecordLengthWrong", "record length",
               [](std::string& b) { b[10] = char(b[10] + 1); }},
        Damage{"CountTooLarge", "truncated", [](std::string& b) { b[6] = 1; }},
        Damage{"NoTerminator", "runs past", [](std::string& b) { b[32 + 3 * 32] = 'X'; }},
        Damage{"UnknownFieldType", "unknown type", [](std::string& b) { b[32 + 11] = 'Z'; }},
        Damage{"ZeroFieldLength", "length 0", [](std::string& b) { b[32 + 16] = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedMemo, UnreadableMemoFileStopsOpen) {
    TempDir dir;
    Engine engine;
    makeTable(engine, dir.file("t.dbf"), 2);
    writeBytes(dir.file("t.fpt"), "abc");
    auto t = engine.open(dir.file("t.dbf"));
    ASSERT_FALSE(t);
    EXPECT_NE(t.message().find("t.fpt"), std::string::npos) << t.message();
    std::filesystem::remove(dir.file("t.fpt"));
    t = engine.open(dir.file("t.dbf"));
    ASSERT_FALSE(t);
    EXPECT_NE(t.message().find("missing"), std::string::npos) << t.message();
}

struct MemoDamage {
    const char* name;
    std::function<void(std::string& dbf, std::string& fpt)> apply;
};

class DamagedMemoBlock : public ::testing::TestWithParam<MemoDamage> {};

TEST_P(DamagedMemoBlock, ReadGivesEmptyAndAnError) {
    TempDir dir;
    Engine engine;
    makeTable(engine, dir.file("t.dbf"), 2);
    std::string dbf = readBytes(dir.file("t.dbf")), fpt = readBytes(dir.file("t.fpt"));
    GetParam().apply(dbf, fpt);
    writeBytes(dir.file("t.dbf"), dbf);
    writeBytes(dir.file("t.fpt"), fpt);
    auto t = engine.open(dir.file("t.dbf"), OpenMode::ReadOnly);
    ASSERT_TRUE(t) << t.message();
    ASSERT_TRUE(t.value()->go(2));
    EXPECT_EQ(t.value()->memo(t.value()->field("TITLE")), "");
    EXPECT_EQ(engine.takeErrorCode(), kErrorRead);
    EXPECT_NE(engine.lastError().find("t."), std::string::npos);
    ASSERT_TRUE(t.value()->go(1));
    EXPECT_EQ(t.value()->memo(t.value()->field("TITLE")), "memo 1");
}

// Record 2's memo pointer sits at header (130) + record length (25) + 11.
constexpr size_t kSecondPointer = 32 + 3 * 32 + 2 + 25 + 11;

INSTANTIATE_TEST_SUITE_P(
    Blocks, DamagedMemoBlock,
    ::testing::Values(MemoDamage{"PointerPastEnd",
                                 [](std::string& d, std::string&) {
                                     d.replace(kSecondPointer, 10, "    999999");
                                 }},
                      MemoDamage{"PointerInHeader",
                                 [](std::string& d, std::string&) {
                                     d.replace(kSecondPointer, 10, "         3");
                                 }},
                      MemoDamage{"PointerNotANumber",
                                 [](std::string& d, std::string&) {
                                     d.replace(kSecondPointer, 10, "     12x45");
                                 }},
                      MemoDamage{"LengthPastEnd",
                                 [](std::string&, std::string& f) { f[9 * 64 + 4] = char(0x7F); }},
                      MemoDamage{"FileCut",
                                 [](std::string&, std::string& f) { f.resize(9 * 64 + 4); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DamagedIndex, TableStaysReadableButRefusesWrites) {
    TempDir dir;
    Engine engine;
    makeTable(engine, dir.file("t.dbf"), 3);
    std::string cdx = readBytes(dir.file("t.cdx"));
    cdx.resize(100);
    writeBytes(dir.file("t.cdx"), cdx);
    auto t = engine.open(dir.file("t.dbf"));
    ASSERT_TRUE(t) << t.message();
    EXPECT_FALSE(t.value()->warnings().empty());
    EXPECT_TRUE(t.value()->tags().empty());
    ASSERT_TRUE(t.value()->go(3));
    EXPECT_EQ(t.value()->memo(t.value()->field("TITLE")), "memo 3");
    EXPECT_FALSE(t.value()->appendBlank());
    EXPECT_EQ(readBytes(dir.file("t.cdx")), cdx);
}

// Inputs that once crashed a reader stay here as fixtures; each is replayed
// exactly as its fuzz harness ran it.
TEST(FuzzFixtures, ReplayWithoutCrashing) {
    const std::filesystem::path fixtures =
        std::filesystem::path(ZENTRIX_SOURCE_DIR) / "xbase/tests/data/fuzz";
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(fixtures)) {
        const std::string bytes = readBytes(entry.path().string());
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        SCOPED_TRACE(entry.path().filename().string());
        if (entry.path().extension() == ".dbf") {
            fuzz::fuzzTable(data, bytes.size());
            ++replayed;
        } else if (entry.path().extension() == ".fpt") {
            fuzz::fuzzMemo(data, bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace zentrix::xbase
