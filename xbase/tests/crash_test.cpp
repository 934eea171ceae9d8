// A crash between any two writes of a commit: the write sequence is cut at
// every step in turn, then the table is reopened with the real file system.
// Every commit that reported success must read back; the one that was cut
// may show its old or its new state; the index must match the table.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "test_support.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

using testing::CuttingFileSystem;
using testing::TempDir;

const std::vector<FieldSpec>& kFields = testing::kIdNumNoteFields;
const std::vector<TagSpec>& kTags = testing::kIdNumNoteTags;

struct Row {
    std::string id;
    int num = 0;
    std::string note;
    bool deleted = false;
    bool operator==(const Row&) const = default;
};
using Model = std::map<uint32_t, Row>;

Row readRow(Table& t) {
    std::string id = t.text(t.field("ID"));
    id.erase(id.find_last_not_of(' ') + 1);
    return Row{id, t.asInt(t.field("NUM")), t.memo(t.field("NOTE")), t.deleted()};
}

// One step of the workload: changes the table and says what the record
// should hold afterwards.
struct Step {
    const char* what;
    std::function<Status(Table&, Model&, uint32_t& recno)> run;
};

Status update(Table& t, uint32_t recno, const std::function<Status()>& change) {
    if (!t.go(recno)) return Status::error("go failed");
    ZX_TRY(change());
    return t.commit();
}

std::vector<Step> workload() {
    return {
        {"append with memo",
         [](Table& t, Model& m, uint32_t& r) {
             ZX_TRY(t.appendBlank());
             ZX_TRY(t.assign(t.field("ID"), "NEW1"));
             ZX_TRY(t.assignInt(t.field("NUM"), 41));
             ZX_TRY(t.assignMemo(t.field("NOTE"), std::string(150, 'n')));
             ZX_TRY(t.commit());
             r = t.recno();
             m[r] = Row{"NEW1", 41, std::string(150, 'n'), false};
             return Status::ok();
         }},
        {"update key",
         [](Table& t, Model& m, uint32_t& r) {
             r = 2;
             ZX_TRY(update(t, r, [&] { return t.assign(t.field("ID"), "MOVED"); }));
             m[r].id = "MOVED";
             return Status::ok();
         }},
        {"update memo",
         [](Table& t, Model& m, uint32_t& r) {
             r = 1;
             ZX_TRY(update(t, r, [&] { return t.assignMemo(t.field("NOTE"), "rewritten"); }));
             m[r].note = "rewritten";
             return Status::ok();
         }},
        {"delete",
         [](Table& t, Model& m, uint32_t& r) {
             r = 3;
             if (!t.go(r)) return Status::error("go failed");
             ZX_TRY(t.markDeleted());
             m[r].deleted = true;
             return Status::ok();
         }},
        {"append plain",
         [](Table& t, Model& m, uint32_t& r) {
             ZX_TRY(t.appendBlank());
             ZX_TRY(t.assign(t.field("ID"), "NEW2"));
             ZX_TRY(t.commit());
             r = t.recno();
             m[r] = Row{"NEW2", 0, "", false};
             return Status::ok();
         }},
        {"compress memo",
         [](Table& t, Model&, uint32_t& r) {
             r = 0;  // changes no record's content
             return t.compressMemo();
         }},
    };
}

void seed(const std::string& path, Model& model) {
    Engine engine;
    auto t = engine.create(path, kFields, kTags);
    ASSERT_TRUE(t) << t.message();
    for (int i = 1; i <= 4; ++i) {
        Table& x = *t.value();
        ASSERT_TRUE(x.appendBlank());
        ASSERT_TRUE(x.assign(x.field("ID"), "R" + std::to_string(i)));
        ASSERT_TRUE(x.assignInt(x.field("NUM"), i * 10));
        ASSERT_TRUE(x.assignMemo(x.field("NOTE"), "note " + std::to_string(i)));
        ASSERT_TRUE(x.commit());
        model[x.recno()] = Row{"R" + std::to_string(i), i * 10, "note " + std::to_string(i), false};
    }
}

TEST(CrashTest, EveryCutLeavesCommittedRecordsAndAConsistentIndex) {
    bool completed = false;
    for (long budget = 0; !completed && budget < 400; ++budget) {
        SCOPED_TRACE("writes allowed: " + std::to_string(budget));
        TempDir dir;
        const std::string path = dir.file("crash.dbf");
        Model committed;
        seed(path, committed);
        uint32_t cutRecno = 0;
        {
            auto fs = std::make_shared<CuttingFileSystem>(budget);
            Engine engine(fs);
            auto opened = engine.open(path);
            ASSERT_TRUE(opened) << opened.message();
            bool cut = false;
            for (const auto& step : workload()) {
                Model next = committed;
                uint32_t recno = 0;
                Status s = step.run(*opened.value(), next, recno);
                if (!s) {
                    ASSERT_TRUE(fs->cut()) << step.what << ": " << s.message();
                    // The step that was cut: its record may be old or new.
                    cutRecno = recno ? recno : uint32_t(committed.rbegin()->first + 1);
                    cut = true;
                    break;
                }
                committed = std::move(next);
            }
            completed = !cut;
        }
        Engine engine;
        auto reopened = engine.open(path);
        ASSERT_TRUE(reopened) << reopened.message();
        Table& t = *reopened.value();
        EXPECT_TRUE(t.check()) << t.check().message();
        for (const auto& [recno, row] : committed) {
            if (recno == cutRecno) continue;
            ASSERT_TRUE(t.go(recno)) << recno;
            EXPECT_EQ(readRow(t), row) << "record " << recno;
        }
        if (cutRecno && t.go(cutRecno)) {
            const Row seen = readRow(t);
            const bool wasThere = committed.count(cutRecno) > 0;
            // The steps never change NUM of an existing record; its note is the
            // old one or the new one, never a mix.
            if (wasThere) {
                const Row& old = committed.at(cutRecno);
                EXPECT_TRUE(seen.num == old.num) << "record " << cutRecno;
                EXPECT_TRUE(seen.note == old.note || seen.note == "rewritten") << seen.note;
            } else {
                EXPECT_TRUE(seen.id == "NEW1" || seen.id == "NEW2") << seen.id;
            }
        }
        // A later commit works on the recovered table.
        ASSERT_TRUE(t.appendBlank());
        ASSERT_TRUE(t.assign(t.field("ID"), "AFTER"));
        ASSERT_TRUE(t.commit());
        EXPECT_TRUE(t.check()) << t.check().message();
    }
    EXPECT_TRUE(completed) << "the workload never ran to the end";
}

}  // namespace
}  // namespace zentrix::xbase
