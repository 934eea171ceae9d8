// Two real processes append to and update one table at the same time.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "test_support.h"
#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::xbase {
namespace {

pid_t spawn(const std::string& table, const std::string& worker, int count) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string n = std::to_string(count);
        ::execl(ZENTRIX_TABLE_WORKER, ZENTRIX_TABLE_WORKER, table.c_str(), worker.c_str(),
                n.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

TEST(TwoProcessTest, ConcurrentAppendsAndUpdatesLoseNothing) {
    testing::TempDir dir;
    const std::string path = dir.file("shared.dbf");
    constexpr int kCount = 300;
    {
        Engine engine;
        auto t = engine.create(path, {{"ID", 'C', 12, 0}, {"NUM", 'N', 6, 0}, {"NOTE", 'M', 10, 0}},
                               {{"ID", "ID", ".NOT. DELETED()"}, {"NUM", "NUM", ""}});
        ASSERT_TRUE(t) << t.message();
    }
    const pid_t a = spawn(path, "A", kCount);
    const pid_t b = spawn(path, "B", kCount);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    for (pid_t pid : {a, b}) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    Engine engine;
    auto opened = engine.open(path);
    ASSERT_TRUE(opened) << opened.message();
    Table& t = *opened.value();
    EXPECT_TRUE(t.warnings().empty());
    EXPECT_EQ(t.recordCount(), uint32_t(2 * kCount));
    EXPECT_TRUE(t.check()) << t.check().message();
    std::map<std::string, int> nums;
    for (bool on = t.top(); on; on = t.skip()) {
        std::string id = t.text(t.field("ID"));
        id.erase(id.find_last_not_of(' ') + 1);
        EXPECT_EQ(t.memo(t.field("NOTE")), "memo " + id);
        EXPECT_TRUE(nums.emplace(id, t.asInt(t.field("NUM"))).second) << "twice: " << id;
    }
    ASSERT_EQ(nums.size(), size_t(2 * kCount));
    // Each worker bumped record i/2 once for every i divisible by 3.
    for (const char* w : {"A", "B"}) {
        std::map<int, int> bumps;
        for (int i = 3; i <= kCount; i += 3) ++bumps[i / 2];
        for (int i = 1; i <= kCount; ++i)
            EXPECT_EQ(nums[std::string(w) + "-" + std::to_string(i)], bumps.count(i) ? bumps[i] : 0)
                << w << i;
    }
}

}  // namespace
}  // namespace zentrix::xbase
