// Creating a table while others look for it: seats that start together on a
// fresh folder, and a create cut short by a crash.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "test_support.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

using testing::CuttingFileSystem;
using testing::TempDir;

const std::vector<FieldSpec>& kFields = testing::kIdNumNoteFields;
const std::vector<TagSpec>& kTags = testing::kIdNumNoteTags;

// Every seat opens the missing table at the same moment and adds its record:
// one creates it, the others open what it made, and no record is lost to a
// second create over the first.
TEST(CreateTest, SeatsThatFindATableMissingTogetherShareOne) {
    TempDir dir;
    const std::string path = dir.file("HIST");
    constexpr int kSeats = 6;
    std::atomic<int> ready{0};
    std::vector<std::string> problems(kSeats);
    std::vector<std::thread> seats;
    for (int seat = 0; seat < kSeats; ++seat) {
        seats.emplace_back([&, seat] {
            Engine engine;
            ++ready;
            while (ready.load() < kSeats) std::this_thread::yield();
            auto table = engine.openOrCreate(path, kFields, kTags);
            if (!table) {
                problems[seat] = table.message();
                return;
            }
            Table& t = *table.value();
            Status added = t.appendBlank();
            if (added) added = t.assign(t.field("ID"), "S" + std::to_string(seat));
            if (added) added = t.assignMemo(t.field("NOTE"), "seat " + std::to_string(seat));
            if (added) added = t.commit();
            if (!added) problems[seat] = added.message();
        });
    }
    for (std::thread& seat : seats) seat.join();
    for (int seat = 0; seat < kSeats; ++seat) EXPECT_EQ("", problems[seat]) << "seat " << seat;

    Engine engine;
    auto table = engine.open(path);
    ASSERT_TRUE(table) << table.message();
    EXPECT_EQ(uint32_t(kSeats), table.value()->recordCount());
    EXPECT_TRUE(table.value()->check()) << table.value()->check().message();
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(std::string::npos, entry.path().string().find(".creating")) << entry.path();
}

// A create cut at any write leaves no table (the next start creates it) or
// the whole table with its memo file and index, never an empty or partial
// header that every later open would call damaged.
TEST(CreateTest, ACreateCutShortLeavesNoTableOrAWholeOne) {
    bool completed = false;
    for (long budget = 0; !completed && budget < 200; ++budget) {
        SCOPED_TRACE("writes allowed: " + std::to_string(budget));
        TempDir dir;
        const std::string path = dir.file("made.dbf");
        {
            auto fs = std::make_shared<CuttingFileSystem>(budget);
            Engine engine(fs);
            auto made = engine.openOrCreate(path, kFields, kTags);
            completed = made && !fs->cut();
        }
        Engine engine;
        auto table = engine.open(path);
        if (!table) {
            EXPECT_FALSE(completed);
            EXPECT_NE(std::string::npos, table.message().find("no such table")) << table.message();
            auto again = engine.openOrCreate(path, kFields, kTags);
            ASSERT_TRUE(again) << "a later start creates it: " << again.message();
            continue;
        }
        EXPECT_TRUE(table.value()->check()) << table.value()->check().message();
        EXPECT_NE(nullptr, table.value()->tag("NUM"));
        EXPECT_EQ(0u, table.value()->recordCount());
    }
    EXPECT_TRUE(completed);
}

// A file under the table's name that is not a table is reported, never
// created over: it may hold what a repair can save.
TEST(CreateTest, OpenOrCreateLeavesAnUnreadableFileAlone) {
    TempDir dir;
    const std::string path = dir.file("bad.dbf");
    testing::writeBytes(path, "not a table at all, but somebody's data");
    Engine engine;
    auto table = engine.openOrCreate(path, kFields, kTags);
    ASSERT_FALSE(table);
    EXPECT_EQ(kErrorOpen, engine.takeErrorCode());
    EXPECT_EQ("not a table at all, but somebody's data", testing::readBytes(path));
}

}  // namespace
}  // namespace zentrix::xbase
