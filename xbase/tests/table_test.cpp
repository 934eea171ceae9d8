// The Table API on tables the engine creates: fields, order, seek, writes,
// memos, deletion and upkeep.

#include "xbase/table.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "xbase/dbf_format.h"
#include "xbase/engine.h"
#include "xbase/forwarding_file_system.h"

namespace zentrix::xbase {
namespace {

using testing::TempDir;

const std::vector<FieldSpec> kCourseFields = {
    {"ID", 'C', 10, 0}, {"TITLE", 'M', 10, 0}, {"DESCRIP", 'M', 10, 0},
    {"NUM", 'N', 4, 0}, {"TIME", 'C', 5, 0},   {"NUMQ", 'N', 4, 0},
};
const std::vector<TagSpec> kCourseTags = {{"ID", "ID", ".NOT. DELETED()"}};

class TableTest : public ::testing::Test {
protected:
    std::unique_ptr<Table> createCourses(const std::string& name = "ptest.dbf") {
        auto table = engine.create(dir.file(name), kCourseFields, kCourseTags);
        EXPECT_TRUE(table.isOk()) << table.message();
        return table ? std::move(table.value()) : nullptr;
    }
    void addCourse(Table& t, const std::string& id, const std::string& title, int num) {
        ASSERT_TRUE(t.appendBlank());
        ASSERT_TRUE(t.assign(t.field("ID"), id));
        ASSERT_TRUE(t.assignMemo(t.field("TITLE"), title));
        ASSERT_TRUE(t.assignInt(t.field("NUM"), num));
        ASSERT_TRUE(t.commit());
    }
    std::vector<std::string> idsInOrder(Table& t) {
        std::vector<std::string> ids;
        for (bool on = t.top(); on; on = t.skip()) ids.push_back(t.text(t.field("ID")));
        return ids;
    }

    TempDir dir;
    Engine engine;
};

TEST_F(TableTest, CreatedTableHasFoxProLayoutAndFieldsByName) {
    auto t = createCourses();
    ASSERT_TRUE(t);
    EXPECT_EQ(t->info().version, dbf::kVersionFoxPro2Memo);
    EXPECT_EQ(t->fieldCount(), 6);
    EXPECT_EQ(t->field("descrip"), t->field("DESCRIP"));
    EXPECT_EQ(t->field("Descrip")->length(), 10);
    EXPECT_EQ(t->field("MISSING"), nullptr);
    EXPECT_NE(t->tag("id"), nullptr);
    EXPECT_EQ(t->tag("id")->keyExpression(), "ID");
    EXPECT_EQ(t->tag("id")->forExpression(), ".NOT. DELETED()");
    EXPECT_EQ(engine.takeErrorCode(), kNoError);
}

TEST_F(TableTest, MemoFreeTableIsDbase3WithoutMemoFile) {
    auto t = engine.create(dir.file("TESTHIST"), {{"ID", 'N', 9, 0}, {"KEYID", 'C', 50, 0}},
                           {{"ID", "ID", ""}});
    ASSERT_TRUE(t) << t.message();
    EXPECT_EQ(t.value()->info().version, dbf::kVersionDbase3);
    EXPECT_FALSE(std::filesystem::exists(dir.file("TESTHIST.fpt")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("TESTHIST.dbf")));
}

TEST_F(TableTest, WritesReadBackAfterReopen) {
    {
        auto t = createCourses();
        addCourse(*t, "PT0001", "First course", 3);
        ASSERT_TRUE(t->appendBlank());
        ASSERT_TRUE(t->assign(t->field("ID"), "PT0002"));
        ASSERT_TRUE(t->assignLong(t->field("NUMQ"), 40L));
        ASSERT_TRUE(t->assignDouble(t->field("NUM"), 7.0));
        const std::string bytes("\x05\0\0\0ab\0cd", 9);
        ASSERT_TRUE(t->assignMemoBytes(t->field("DESCRIP"), bytes.data(), bytes.size()));
        ASSERT_TRUE(t->commit());
    }
    auto opened = engine.open(dir.file("ptest"));
    ASSERT_TRUE(opened) << opened.message();
    Table& t = *opened.value();
    EXPECT_EQ(t.recordCount(), 2u);
    ASSERT_TRUE(t.go(1));
    EXPECT_EQ(t.text(t.field("ID")), "PT0001    ");
    EXPECT_EQ(t.memo(t.field("TITLE")), "First course");
    EXPECT_EQ(t.text(t.field("NUM")), "   3");
    EXPECT_EQ(t.asInt(t.field("NUM")), 3);
    EXPECT_EQ(t.memo(t.field("DESCRIP")), "");
    EXPECT_FALSE(t.isByteMemo(t.field("TITLE")));
    ASSERT_TRUE(t.go(2));
    EXPECT_EQ(t.asLong(t.field("NUMQ")), 40L);
    EXPECT_EQ(t.memo(t.field("DESCRIP")), std::string("\x05\0\0\0ab\0cd", 9));
    EXPECT_TRUE(t.isByteMemo(t.field("DESCRIP")));
    EXPECT_EQ(t.memo(t.field("ID")), "PT0002    ");
    // Memo pointers are ten right-aligned digits.
    const std::string raw = t.rawRecord();
    EXPECT_EQ(
        raw.substr(size_t(t.field("DESCRIP")->descriptor().offset), 10).find_first_not_of(' '), 9u);
}

struct BadAssignment {
    const char* field;
    const char* text;
};

class RejectedAssignment : public TableTest, public ::testing::WithParamInterface<BadAssignment> {};

TEST_P(RejectedAssignment, LeavesRecordUnchangedAndSetsErrorCode) {
    auto t = createCourses();
    addCourse(*t, "PT0001", "x", 5);
    const std::string before = t->rawRecord();
    EXPECT_FALSE(t->assign(t->field(GetParam().field), GetParam().text));
    EXPECT_NE(engine.takeErrorCode(), kNoError);
    EXPECT_EQ(t->rawRecord(), before);
}

INSTANTIATE_TEST_SUITE_P(Values, RejectedAssignment,
                         ::testing::Values(BadAssignment{"NUM", "12345"},
                                           BadAssignment{"NUM", "abc"},
                                           BadAssignment{"NUMQ", "-1000"}));

// A group of writes is all or nothing: once one assignment of it is refused,
// neither a commit, nor a move, nor closing the table writes the others.
enum class GroupEnd { Commit, Move, Close };

struct FailedGroupCase {
    const char* name;
    bool append;  // the group fills a new record instead of changing record 1
    GroupEnd end;
};

class FailedWriteGroup : public TableTest, public ::testing::WithParamInterface<FailedGroupCase> {};

TEST_P(FailedWriteGroup, IsDiscardedAndNeverCommittedLater) {
    const FailedGroupCase& c = GetParam();
    {
        auto t = createCourses();
        addCourse(*t, "PT0001", "kept", 5);
        if (c.append)
            ASSERT_TRUE(t->appendBlank());
        else
            ASSERT_TRUE(t->go(1));
        ASSERT_TRUE(t->assign(t->field("TIME"), "02:00"));
        ASSERT_TRUE(t->assignMemo(t->field("TITLE"), "changed"));
        EXPECT_FALSE(t->assignLong(t->field("NUM"), 123456));  // wider than N 4
        // The record reads as the file holds it, and the group takes no more.
        EXPECT_EQ(t->text(t->field("TIME")), c.append ? "" : "     ");
        EXPECT_FALSE(t->assignLong(t->field("NUMQ"), 7));
        switch (c.end) {
            case GroupEnd::Commit:
                EXPECT_FALSE(t->commit());
                break;
            case GroupEnd::Move:
                t->top();
                break;
            case GroupEnd::Close:
                break;
        }
        // After the group ended the table takes writes again.
        if (c.end != GroupEnd::Close) {
            ASSERT_TRUE(t->go(1));
            EXPECT_TRUE(t->assignLong(t->field("NUMQ"), 3));
            EXPECT_TRUE(t->commit());
        }
    }
    auto opened = engine.open(dir.file("ptest.dbf"));
    ASSERT_TRUE(opened) << opened.message();
    Table& t = *opened.value();
    EXPECT_EQ(t.recordCount(), 1u);
    ASSERT_TRUE(t.go(1));
    EXPECT_EQ(t.text(t.field("TIME")), "     ");
    EXPECT_EQ(t.memo(t.field("TITLE")), "kept");
    EXPECT_EQ(t.asLong(t.field("NUM")), 5);
    EXPECT_TRUE(t.check());
}

INSTANTIATE_TEST_SUITE_P(
    Ends, FailedWriteGroup,
    ::testing::Values(FailedGroupCase{"ChangeThenCommit", false, GroupEnd::Commit},
                      FailedGroupCase{"ChangeThenMove", false, GroupEnd::Move},
                      FailedGroupCase{"ChangeThenClose", false, GroupEnd::Close},
                      FailedGroupCase{"AppendThenCommit", true, GroupEnd::Commit},
                      FailedGroupCase{"AppendThenMove", true, GroupEnd::Move},
                      FailedGroupCase{"AppendThenClose", true, GroupEnd::Close}),
    [](const ::testing::TestParamInfo<FailedGroupCase>& info) { return info.param.name; });

TEST_F(TableTest, LongTextIsCutToFieldWidth) {
    auto t = createCourses();
    ASSERT_TRUE(t->appendBlank());
    ASSERT_TRUE(t->assign(t->field("TIME"), "10:30:00"));
    EXPECT_EQ(t->text(t->field("TIME")), "10:30");
}

TEST_F(TableTest, CreateRefusesTypesItCannotWrite) {
    for (char type : {'D', 'L', 'I', 'T', 'X'}) {
        auto t = engine.create(dir.file("bad.dbf"), {{"A", type, 8, 0}}, {});
        EXPECT_FALSE(t) << type;
        EXPECT_NE(t.message().find("cannot be written"), std::string::npos) << t.message();
    }
    EXPECT_EQ(engine.takeErrorCode(), kErrorCreate);
    EXPECT_FALSE(std::filesystem::exists(dir.file("bad.dbf")));
}

TEST_F(TableTest, TagOrderKeepsEqualKeysInRecordOrderAndHidesDeleted) {
    auto t = createCourses();
    for (auto [id, n] : std::vector<std::pair<std::string, int>>{{"PT0003", 1},
                                                                 {"PT0001", 2},
                                                                 {"PT0002", 3},
                                                                 {"PT0001", 4},
                                                                 {"pt0000", 5},
                                                                 {"PT9000", 6}})
        addCourse(*t, id, "t", n);
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    EXPECT_EQ(idsInOrder(*t), (std::vector<std::string>{"PT0001    ", "PT0001    ", "PT0002    ",
                                                        "PT0003    ", "PT9000    ", "pt0000    "}));
    ASSERT_TRUE(t->seek("PT0001"));
    EXPECT_EQ(t->recno(), 2u);
    ASSERT_TRUE(t->skip());
    EXPECT_EQ(t->recno(), 4u);

    ASSERT_TRUE(t->seek("PT0002"));
    ASSERT_TRUE(t->markDeleted());
    EXPECT_FALSE(t->seek("PT0002"));
    EXPECT_EQ(idsInOrder(*t).size(), 5u);
    ASSERT_TRUE(t->selectTag(nullptr));
    EXPECT_EQ(idsInOrder(*t).size(), 6u);
    ASSERT_TRUE(t->go(3));
    EXPECT_TRUE(t->deleted());
    ASSERT_TRUE(t->recall());
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    EXPECT_TRUE(t->seek("PT0002"));
    EXPECT_TRUE(t->check()) << t->check().message();
}

TEST_F(TableTest, SkipAcrossARecordThatLeftTheTag) {
    auto t = createCourses();
    for (const char* id : {"A", "B", "C", "D"}) addCourse(*t, id, "", 0);
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    ASSERT_TRUE(t->seek("B"));
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->skip(1));
    EXPECT_EQ(t->text(t->field("ID")), "C         ");
    ASSERT_TRUE(t->seek("C"));
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->skip(-1));
    EXPECT_EQ(t->text(t->field("ID")), "A         ");
    EXPECT_FALSE(t->skip(-1));
    EXPECT_EQ(t->recno(), 0u);
}

struct SeekCase {
    const char* text;
    bool found;
    const char* landsOn;  // "" for past the end
};

class SeekRule : public TableTest, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekRule, FoundOnlyForAnEqualBlankPaddedKey) {
    auto t = createCourses();
    for (const char* id : {"A001", "C003", "B0025", "ZZ"}) addCourse(*t, id, "", 0);
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    EXPECT_EQ(t->seek(GetParam().text), GetParam().found);
    if (*GetParam().landsOn) {
        EXPECT_EQ(t->text(t->field("ID")), GetParam().landsOn);
    } else {
        EXPECT_TRUE(t->eof());
        EXPECT_EQ(t->recno(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SeekRule,
    ::testing::Values(SeekCase{"A001", true, "A001      "},
                      SeekCase{"A001      ", true, "A001      "},
                      SeekCase{"B002", false, "B0025     "},  // next greater is not found
                      SeekCase{"B", false, "B0025     "},
                      SeekCase{"C003      X", false, "C003      "}, SeekCase{"ZZZ", false, ""}));

TEST_F(TableTest, NumericTagSeeksNumbers) {
    auto t = engine.create(dir.file("ex1x.dbf"),
                           {{"ID", 'N', 4, 0}, {"INDEX", 'N', 4, 0}, {"ANSWER", 'M', 10, 0}},
                           {{"ID", "ID", ".NOT. DELETED()"}});
    ASSERT_TRUE(t) << t.message();
    Table& x = *t.value();
    for (int id : {5, -1, 12, 5, 300}) {
        ASSERT_TRUE(x.appendBlank());
        ASSERT_TRUE(x.assignInt(x.field("ID"), id));
        ASSERT_TRUE(x.assignInt(x.field("INDEX"), int(x.recno())));
        ASSERT_TRUE(x.commit());
    }
    ASSERT_TRUE(x.selectTag(x.tag("ID")));
    EXPECT_TRUE(x.seek(5.0));
    EXPECT_EQ(x.recno(), 1u);
    EXPECT_TRUE(x.skip());
    EXPECT_EQ(x.recno(), 4u);
    EXPECT_TRUE(x.seek(-1.0));
    EXPECT_FALSE(x.seek(6.0));
    EXPECT_EQ(x.asInt(x.field("ID")), 12);
    EXPECT_TRUE(x.seek("300"));
    EXPECT_FALSE(x.seek(301.0));
    EXPECT_TRUE(x.eof());
    EXPECT_TRUE(x.check()) << x.check().message();
    EXPECT_TRUE(x.reindex());
    EXPECT_TRUE(x.check()) << x.check().message();
}

TEST_F(TableTest, VaryingWidthKeyIsSeekableByDecimalText) {
    auto t = engine.create(dir.file("casec.DBF"), {{"RECID", 'N', 5, 0}, {"TITLE", 'C', 30, 0}},
                           {{"ID", "ALLTRIM(STR(RECID))", ""}});
    ASSERT_TRUE(t) << t.message();
    Table& c = *t.value();
    EXPECT_EQ(c.tag("ID")->keyLength(), 10);  // the width of STR(RECID)
    for (int id : {3, 12, 7, 120}) {
        ASSERT_TRUE(c.appendBlank());
        ASSERT_TRUE(c.assignInt(c.field("RECID"), id));
        ASSERT_TRUE(c.assign(c.field("TITLE"), "case " + std::to_string(id)));
        ASSERT_TRUE(c.commit());
    }
    ASSERT_TRUE(c.selectTag(c.tag("ID")));
    ASSERT_TRUE(c.seek("12"));
    EXPECT_EQ(c.asInt(c.field("RECID")), 12);
    EXPECT_FALSE(c.seek("1"));
    EXPECT_TRUE(c.check());
}

TEST_F(TableTest, UpdateMovesKeyAndKeepsOtherFields) {
    auto t = createCourses();
    addCourse(*t, "B", "bee", 1);
    addCourse(*t, "A", "ay", 2);
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    ASSERT_TRUE(t->seek("B"));
    ASSERT_TRUE(t->assign(t->field("ID"), "C"));
    ASSERT_TRUE(t->commit());
    EXPECT_FALSE(t->seek("B"));
    ASSERT_TRUE(t->seek("C"));
    EXPECT_EQ(t->memo(t->field("TITLE")), "bee");
    EXPECT_EQ(idsInOrder(*t), (std::vector<std::string>{"A         ", "C         "}));
    EXPECT_TRUE(t->check());
}

TEST_F(TableTest, MovingOffAChangedRecordCommitsIt) {
    {
        auto t = createCourses();
        addCourse(*t, "A", "", 1);
        ASSERT_TRUE(t->go(1));
        ASSERT_TRUE(t->assign(t->field("TIME"), "01:00"));
        t->top();
        ASSERT_TRUE(t->appendBlank());
        ASSERT_TRUE(t->assign(t->field("ID"), "B"));
        // closing commits the appended record too
    }
    auto t = engine.open(dir.file("ptest.dbf"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t.value()->recordCount(), 2u);
    t.value()->go(1);
    EXPECT_EQ(t.value()->text(t.value()->field("TIME")), "01:00");
    EXPECT_TRUE(t.value()->check());
}

TEST_F(TableTest, PackRemovesDeletedRecordsAndRebuildsTags) {
    auto t = createCourses();
    for (const char* id : {"A", "B", "C", "D", "E"})
        addCourse(*t, id, std::string("memo ") + id, 0);
    for (uint32_t r : {2u, 4u}) {
        ASSERT_TRUE(t->go(r));
        ASSERT_TRUE(t->markDeleted());
    }
    ASSERT_TRUE(t->pack());
    EXPECT_EQ(t->recordCount(), 3u);
    ASSERT_TRUE(t->go(2));
    EXPECT_EQ(t->text(t->field("ID")), "C         ");
    EXPECT_EQ(t->memo(t->field("TITLE")), "memo C");
    EXPECT_TRUE(t->check());
    const auto size = std::filesystem::file_size(dir.file("ptest.dbf"));
    EXPECT_EQ(size, uint64_t(t->info().headerLength) + 3 * uint64_t(t->info().recordLength) + 1);
}

TEST_F(TableTest, ZapRemovesARangeOfRecords) {
    auto t = createCourses();
    for (const char* id : {"A", "B", "C", "D", "E"}) addCourse(*t, id, "", 0);
    ASSERT_TRUE(t->zap(2, 4));
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    EXPECT_EQ(idsInOrder(*t), (std::vector<std::string>{"A         ", "E         "}));
    EXPECT_TRUE(t->check());
    ASSERT_TRUE(t->zap(1, 0xFFFFFFFF));
    EXPECT_EQ(t->recordCount(), 0u);
    EXPECT_FALSE(t->top());
}

TEST_F(TableTest, CompressMemoKeepsLiveMemosAndShrinksFile) {
    auto t = createCourses();
    addCourse(*t, "A", std::string(1000, 'a'), 0);
    addCourse(*t, "B", "short", 0);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(t->go(1));
        ASSERT_TRUE(t->assignMemo(t->field("TITLE"), std::string(1000, char('b' + i % 20))));
        ASSERT_TRUE(t->commit());
    }
    const auto before = std::filesystem::file_size(dir.file("ptest.fpt"));
    ASSERT_TRUE(t->compressMemo());
    EXPECT_LT(std::filesystem::file_size(dir.file("ptest.fpt")), before / 5);
    ASSERT_TRUE(t->go(1));
    EXPECT_EQ(t->memo(t->field("TITLE")), std::string(1000, char('b' + 19)));
    ASSERT_TRUE(t->go(2));
    EXPECT_EQ(t->memo(t->field("TITLE")), "short");
    addCourse(*t, "C", "after", 0);
    ASSERT_TRUE(t->selectTag(t->tag("ID")));
    ASSERT_TRUE(t->seek("C"));
    EXPECT_EQ(t->memo(t->field("TITLE")), "after");
}

// Refuses the first rename onto a file whose name ends in `target`; every
// other call goes through.
class RenameRefusingFileSystem : public ForwardingFileSystem {
public:
    explicit RenameRefusingFileSystem(std::string target)
        : ForwardingFileSystem(FileSystem::posix()), target_(std::move(target)) {}
    // Renames made before this (a create publishing its files) go through.
    void arm() { armed_ = true; }
    Status rename(const std::string& from, const std::string& to) override {
        if (armed_ && !refused_ && to.size() >= target_.size() && to.ends_with(target_)) {
            refused_ = true;
            return Status::error(to + ": rename refused");
        }
        return ForwardingFileSystem::rename(from, to);
    }

private:
    std::string target_;
    bool armed_ = false;
    bool refused_ = false;
};

TEST_F(TableTest, CompressMemoCutBetweenItsRenamesIsFinishedByTheNextOpen) {
    {
        auto files = std::make_shared<RenameRefusingFileSystem>("ptest.dbf");
        Engine refusing(files);
        auto created = refusing.create(dir.file("ptest.dbf"), kCourseFields, kCourseTags);
        ASSERT_TRUE(created) << created.message();
        files->arm();
        Table& t = *created.value();
        addCourse(t, "A", "first", 0);
        addCourse(t, "B", "short", 0);
        // Rewritten memos move to new blocks, so the compressed memo file
        // numbers them differently from the old one.
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(t.go(1));
            ASSERT_TRUE(t.assignMemo(t.field("TITLE"), std::string(600, char('c' + i))));
            ASSERT_TRUE(t.commit());
        }
        const Status compressed = t.compressMemo();
        ASSERT_FALSE(compressed);
        EXPECT_NE(compressed.message().find("the next open finishes it"), std::string::npos)
            << compressed.message();
        // Writes through this handle would go to the files being replaced.
        EXPECT_FALSE(t.appendBlank());
    }
    auto reopened = engine.open(dir.file("ptest"));
    ASSERT_TRUE(reopened) << reopened.message();
    Table& t = *reopened.value();
    ASSERT_TRUE(t.go(1));
    EXPECT_EQ(t.memo(t.field("TITLE")), std::string(600, 'g'));
    ASSERT_TRUE(t.go(2));
    EXPECT_EQ(t.memo(t.field("TITLE")), "short");
    EXPECT_TRUE(t.check()) << t.check().message();
    EXPECT_FALSE(std::filesystem::exists(dir.file("ptest.dbf.compress")));
}

TEST_F(TableTest, FileNamesMatchWithoutRegardToCase) {
    {
        auto t = engine.create(dir.file("TableNamec.DBF"), kCourseFields, kCourseTags);
        ASSERT_TRUE(t) << t.message();
        addCourse(*t.value(), "A", "memo", 1);
    }
    EXPECT_TRUE(std::filesystem::exists(dir.file("TableNamec.FPT")));
    std::filesystem::rename(dir.file("TableNamec.FPT"), dir.file("tablenamec.fpt"));
    std::filesystem::rename(dir.file("TableNamec.CDX"), dir.file("TABLENAMEC.cdx"));
    for (const char* name : {"TableNamec.DBF", "tablenamec.dbf", "TABLENAMEC", "tableNAMEc.Dbf"}) {
        auto t = engine.open(dir.file(name));
        ASSERT_TRUE(t) << name << ": " << t.message();
        ASSERT_TRUE(t.value()->selectTag(t.value()->tag("ID")));
        ASSERT_TRUE(t.value()->seek("A")) << name;
        EXPECT_EQ(t.value()->memo(t.value()->field("TITLE")), "memo");
        EXPECT_TRUE(t.value()->warnings().empty());
    }
}

TEST_F(TableTest, MissingFileSetsNoErrorUnlessAsked) {
    EXPECT_FALSE(engine.open(dir.file("nothere.dbf")));
    EXPECT_EQ(engine.takeErrorCode(), kNoError);
    engine.options().reportOpenErrors = true;
    EXPECT_FALSE(engine.open(dir.file("nothere.dbf")));
    EXPECT_EQ(engine.takeErrorCode(), kErrorOpen);
    EXPECT_EQ(engine.takeErrorCode(), kNoError);
}

TEST_F(TableTest, CreateSafetyDecidesWhetherAReadableTableIsReplaced) {
    addCourse(*createCourses(), "A", "", 1);
    engine.options().createSafety = true;
    EXPECT_FALSE(engine.create(dir.file("PTEST.DBF"), kCourseFields, kCourseTags));
    EXPECT_EQ(engine.takeErrorCode(), kErrorCreate);
    engine.options().createSafety = false;
    auto t = engine.create(dir.file("PTEST.DBF"), kCourseFields, kCourseTags);
    ASSERT_TRUE(t) << t.message();
    EXPECT_EQ(t.value()->recordCount(), 0u);
    EXPECT_EQ(t.value()->info().path, dir.file("ptest.dbf"));  // the file on disk, not a second one
}

TEST_F(TableTest, UnusableTagKeepsTableReadableInRecordOrder) {
    {
        auto t = createCourses();
        addCourse(*t, "A", "", 1);
    }
    // Rename the field the tag's key names, so the key no longer compiles.
    std::string bytes = testing::readBytes(dir.file("ptest.dbf"));
    bytes.replace(32, 2, "XX");
    testing::writeBytes(dir.file("ptest.dbf"), bytes);
    auto t = engine.open(dir.file("ptest.dbf"));
    ASSERT_TRUE(t) << t.message();
    ASSERT_EQ(t.value()->warnings().size(), 1u);
    EXPECT_NE(t.value()->warnings()[0].find("tag ID"), std::string::npos)
        << t.value()->warnings()[0];
    EXPECT_FALSE(t.value()->tag("ID")->usable());
    EXPECT_FALSE(t.value()->selectTag(t.value()->tag("ID")));
    ASSERT_TRUE(t.value()->top());
    EXPECT_EQ(t.value()->text(t.value()->field("XX")), "A         ");
    EXPECT_FALSE(t.value()->appendBlank());
}

}  // namespace
}  // namespace zentrix::xbase

namespace zentrix::xbase {
namespace {

// Another program appends to or shortens the table without touching its
// index; the next open must not trust the index.
class ChangedBehindTheIndex : public TableTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChangedBehindTheIndex, IndexIsRebuiltAtOpen) {
    const int extraRecords = GetParam();  // > 0 appended, < 0 cut off the end
    {
        auto t = createCourses();
        ASSERT_TRUE(t);
        for (const char* id : {"C1", "C2", "C3"}) addCourse(*t, id, "title", 1);
    }
    const std::string path = dir.file("ptest.dbf");
    std::string bytes = testing::readBytes(path);
    const uint32_t headerLength = uint8_t(bytes[8]) | uint8_t(bytes[9]) << 8;
    const uint32_t recordLength = uint8_t(bytes[10]) | uint8_t(bytes[11]) << 8;
    uint32_t count = 3;
    bytes.resize(headerLength + count * recordLength);  // drop the end-of-file marker
    for (int i = 0; i < extraRecords; ++i) {
        std::string record = bytes.substr(headerLength, recordLength);
        const std::string id = "X" + std::to_string(i);
        record.replace(1, 10, id + std::string(10 - id.size(), ' '));
        bytes += record;
        ++count;
    }
    if (extraRecords < 0) {
        count += extraRecords;
        bytes.resize(headerLength + count * recordLength);
    }
    bytes += char(0x1A);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = char(count >> (8 * i));
    testing::writeBytes(path, bytes);

    auto opened = engine.open(path);
    ASSERT_TRUE(opened.isOk()) << opened.message();
    Table& t = *opened.value();
    ASSERT_EQ(t.warnings().size(), 1u);
    EXPECT_NE(t.warnings()[0].find("(changed without its index); rebuilt"), std::string::npos)
        << t.warnings()[0];
    EXPECT_TRUE(t.check()) << t.check().message();
    ASSERT_TRUE(t.selectTag(t.tag("ID")));
    EXPECT_EQ(idsInOrder(t).size(), count);
    EXPECT_EQ(t.seek("X0"), extraRecords > 0);
    EXPECT_EQ(t.seek("C3"), extraRecords >= 0);

    // Rebuilt and stamped: the next open trusts it again.
    opened.value().reset();
    auto again = engine.open(path);
    ASSERT_TRUE(again.isOk());
    EXPECT_TRUE(again.value()->warnings().empty());
}

INSTANTIATE_TEST_SUITE_P(AppendedOrCut, ChangedBehindTheIndex, ::testing::Values(2, -1));

}  // namespace
}  // namespace zentrix::xbase
