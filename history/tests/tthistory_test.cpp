#include "history/tthistory.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "xbase/engine.h"
#include "xbase/table.h"

namespace zentrix::history {
namespace {

namespace fs = std::filesystem;

class TTHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zx-history-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        folder_ = dir_.string() + "/";
        clock_ = std::make_shared<FixedClock>(LocalDateTime{2026, 12, 10, 9, 30, 15});
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::unique_ptr<TTHistory> makeStore() {
        return std::make_unique<TTHistory>(engine_, folder_, messages_, clock_);
    }

    // The calling order of one attempt as the main window drives it.
    void attempt(TTHistory& h, const std::string& name, const std::string& course, int kind,
                 int count, const std::string& exam, int right, int answered) {
        if (h.KeyIDExists(name, course)) {
            ASSERT_TRUE(h.OpenHistorySess(0, "", 2, course, name));
        } else {
            ASSERT_GT(h.AddHistorySess(name, course), 0);
        }
        h.StartTest(kind, count, exam);
        h.EndTest(right, answered);
    }

    HistorySess session(TTHistory& h) {
        HistorySess s;
        h.Get_CurHistoryInfo(s);
        return s;
    }

    std::string readFile(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
    std::string folder_;
    xbase::Engine engine_;
    base::RecordingMessageSink messages_;
    std::shared_ptr<FixedClock> clock_;
};

TEST_F(TTHistoryTest, EmptyTableIsCreatedAndGivesFirstId) {
    auto h = makeStore();
    ASSERT_TRUE(h->valid()) << h->lastError();
    EXPECT_TRUE(messages_.messages.empty());
    EXPECT_EQ(h->GetNextId(), 1);
    EXPECT_FALSE(h->KeyIDExists("Ann", "C1"));
    EXPECT_FALSE(h->OpenHistorySess(1, "", 1, "", ""));
}

TEST_F(TTHistoryTest, FirstAttemptFillsSlotOneOnly) {
    auto h = makeStore();
    ASSERT_TRUE(h->valid());
    EXPECT_EQ(h->AddHistorySess("Ann Lee", "NET-101"), 1);
    h->StartTest(kClosedBook, 40, "NETEXAM1");
    clock_->set({2026, 12, 10, 10, 5, 0});
    h->EndTest(33, 39);

    HistorySess s = session(*h);
    EXPECT_EQ(s.ID, 1);
    EXPECT_EQ(s.Name, "Ann Lee");
    EXPECT_EQ(s.CourseID, "NET-101");
    EXPECT_EQ(s.KeyID, HistoryKey("Ann Lee", "NET-101"));  // as stored
    const HistorySlot expected{DayNumber(2026, 12, 10),
                               9 * 3600 + 30 * 60 + 15,
                               10 * 3600 + 5 * 60,
                               40,
                               33,
                               39,
                               kClosedBook,
                               "NETEXAM1"};
    EXPECT_EQ(s.Slots[0], expected);
    for (int n = 1; n < kHistorySlots; ++n)
        EXPECT_EQ(s.Slots[n], HistorySlot{}) << "slot " << n + 1;
    EXPECT_EQ(h->GetNextId(), 2);
}

TEST_F(TTHistoryTest, SixthAttemptPushesTheFirstOut) {
    auto h = makeStore();
    for (int i = 1; i <= 6; ++i)
        attempt(*h, "Ann", "C1", kOpenBook, i, "E" + std::to_string(i), i, i);
    HistorySess s = session(*h);
    for (int n = 0; n < kHistorySlots; ++n) {
        EXPECT_EQ(s.Slots[n].QTAKEN, 6 - n) << "slot " << n + 1;
        EXPECT_EQ(s.Slots[n].TestID, "E" + std::to_string(6 - n));
    }
    EXPECT_EQ(h->GetNextId(), 2) << "all attempts share one record";
}

TEST_F(TTHistoryTest, NamesDifferingInCaseShareOneRecordKeepingTheFirstSpelling) {
    auto h = makeStore();
    attempt(*h, "Ann Lee", "c1", kOpenBook, 10, "E1", 5, 5);
    EXPECT_TRUE(h->KeyIDExists("ANN LEE", "C1"));
    attempt(*h, "ANN LEE", "C1", kMixedExam, 20, "", 7, 8);
    HistorySess s = session(*h);
    EXPECT_EQ(s.Name, "Ann Lee");
    EXPECT_EQ(s.CourseID, "c1");
    EXPECT_EQ(s.Slots[0].QTAKEN, 20);
    EXPECT_EQ(s.Slots[1].QTAKEN, 10);
    EXPECT_EQ(h->GetNextId(), 2);
}

TEST_F(TTHistoryTest, NameLongerThanFortyNeverMatchesSoEachAttemptAddsARecord) {
    auto h = makeStore();
    const std::string name(45, 'z');
    attempt(*h, name, "C1", kOpenBook, 1, "E", 1, 1);
    EXPECT_FALSE(h->KeyIDExists(name, "C1"));
    attempt(*h, name, "C1", kOpenBook, 2, "E", 1, 1);
    EXPECT_EQ(h->GetNextId(), 3);
    EXPECT_EQ(session(*h).Name, std::string(40, 'z'));
}

// Blanks typed around a name are kept in the key the record is stored under:
// every later attempt finds that record again instead of adding another.
TEST_F(TTHistoryTest, NameWithBlanksAroundItKeepsOneRecord) {
    {
        auto h = makeStore();
        for (const char* name : {" Ann", " Ann", " ann "})
            attempt(*h, name, "C1", kOpenBook, 3, "E1", 2, 3);
        EXPECT_EQ(h->GetNextId(), 2) << "every attempt went into one record";
        EXPECT_TRUE(h->KeyIDExists(" Ann", "C1"));
        EXPECT_EQ(session(*h).KeyID, HistoryKey(" Ann", "C1"));
        EXPECT_EQ(session(*h).Name, " Ann");
    }
    auto h = makeStore();
    ASSERT_TRUE(h->OpenHistorySess(0, "", 2, "C1", " Ann"));
    for (int n = 0; n < 3; ++n) EXPECT_EQ(session(*h).Slots[n].QTAKEN, 3) << "slot " << n + 1;
    EXPECT_EQ(session(*h).Slots[3].QTAKEN, 0);
    EXPECT_FALSE(h->KeyIDExists("Ann", "C1")) << "a name without the blank is another learner";
}

// A DatabaseDir written without its trailing separator still means the folder.
TEST_F(TTHistoryTest, FolderWithoutTrailingSeparatorHoldsTheTable) {
    TTHistory h(engine_, dir_.string(), messages_, clock_);
    ASSERT_TRUE(h.valid()) << h.lastError();
    attempt(h, "Ann", "C1", kOpenBook, 3, "E1", 2, 3);
    EXPECT_TRUE(fs::exists(dir_ / "TESTHIST.dbf"));
    EXPECT_FALSE(fs::exists(dir_.parent_path() / (dir_.filename().string() + "TESTHIST.dbf")));
}

TEST_F(TTHistoryTest, AttemptPastMidnightEndsBelowItsStart) {
    auto h = makeStore();
    clock_->set({2026, 12, 10, 23, 50, 0});
    h->AddHistorySess("Ann", "C1");
    h->StartTest(kClosedBook, 10, "E1");
    clock_->set({2026, 12, 11, 0, 10, 0});
    h->EndTest(8, 10);
    HistorySess s = session(*h);
    EXPECT_EQ(s.Slots[0].DATE, DayNumber(2026, 12, 10));
    EXPECT_EQ(s.Slots[0].TIMESTR, 23 * 3600 + 50 * 60);
    EXPECT_EQ(s.Slots[0].TIMEEND, 600);
}

TEST_F(TTHistoryTest, OpenByIdKeyAndCurrentRecord) {
    {
        auto h = makeStore();
        attempt(*h, "Ann", "C1", kOpenBook, 10, "E1", 5, 6);
        attempt(*h, "Bob", "C2", kClosedBook, 20, "E2", 15, 20);
    }
    auto h = makeStore();  // a later run reads what the earlier one wrote
    struct Case {
        int id;
        std::string key;
        int mode;
        std::string course, name;
        bool found;
        std::string expectName;
    };
    const Case cases[] = {
        {2, "", 1, "", "", true, "Bob"},
        {7, "", 1, "", "", false, ""},
        {0, "", 2, "c1", "ann", true, "Ann"},
        {0, "", 2, "C3", "Ann", false, ""},
        {0, HistoryKey("bob", "c2"), 3, "", "", true, "Bob"},
        {0, "bob", 3, "", "", false, ""},
    };
    for (const Case& c : cases) {
        HistorySess before = session(*h);
        EXPECT_EQ(h->OpenHistorySess(c.id, c.key, c.mode, c.course, c.name), c.found)
            << c.mode << c.id;
        if (c.found) {
            EXPECT_EQ(session(*h).Name, c.expectName);
        } else {
            EXPECT_EQ(session(*h), before) << "a failed open leaves the session alone";
        }
    }
    ASSERT_TRUE(h->OpenHistorySess(1, "", 1, "", ""));
    EXPECT_TRUE(h->OpenHistorySess(0, "", 99, "", ""));
    EXPECT_EQ(session(*h).Name, "Ann");
    EXPECT_EQ(session(*h).Slots[0].QRIGHT, 5);
}

TEST_F(TTHistoryTest, DamagedTableIsReportedAndLeftUntouched) {
    const fs::path table = dir_ / "testhist.DBF";  // any case on disk is found
    {
        std::ofstream out(table, std::ios::binary);
        out << "\x03\x7a\x0c\x0a this is not a table header at all";
    }
    const std::string before = readFile(table);

    auto h = makeStore();
    EXPECT_FALSE(h->valid());
    ASSERT_EQ(messages_.messages.size(), 1u);
    EXPECT_EQ(messages_.messages[0], kHistoryUnavailableMessage);
    EXPECT_EQ(h->AddHistorySess("Ann", "C1"), 0);
    EXPECT_FALSE(h->KeyIDExists("Ann", "C1"));
    h->StartTest(kOpenBook, 1, "E");
    h->EndTest(1, 1);
    EXPECT_EQ(readFile(table), before);
    EXPECT_FALSE(fs::exists(dir_ / "TESTHIST.dbf"));
}

TEST_F(TTHistoryTest, EndTestFindsItsAttemptAfterAnotherEngineStartedOne) {
    auto mine = makeStore();
    xbase::Engine otherEngine;
    base::RecordingMessageSink otherMessages;
    TTHistory other(otherEngine, folder_, otherMessages, clock_);

    ASSERT_GT(mine->AddHistorySess("Ann", "C1"), 0);
    mine->StartTest(kOpenBook, 11, "MINE");
    ASSERT_TRUE(other.KeyIDExists("Ann", "C1"));
    ASSERT_TRUE(other.OpenHistorySess(0, "", 2, "C1", "Ann"));
    other.StartTest(kOpenBook, 22, "OTHER");
    mine->EndTest(9, 10);
    other.EndTest(20, 21);

    auto reader = makeStore();
    ASSERT_TRUE(reader->OpenHistorySess(0, "", 2, "C1", "Ann"));
    HistorySess s = session(*reader);
    EXPECT_EQ(s.Slots[0].TestID, "OTHER");
    EXPECT_EQ(s.Slots[0].QRIGHT, 20);
    EXPECT_EQ(s.Slots[1].TestID, "MINE");
    EXPECT_EQ(s.Slots[1].QRIGHT, 9);
    EXPECT_EQ(s.Slots[1].QTRIED, 10);
}

// Two real processes end many attempts in one folder at once.
class TTHistoryProcessTest : public TTHistoryTest {
protected:
    pid_t run(const std::string& name, const std::string& course, int attempts, int tag) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const std::string n = std::to_string(attempts), t = std::to_string(tag);
            ::execl(HISTORY_STRESS_PATH, HISTORY_STRESS_PATH, folder_.c_str(), name.c_str(),
                    course.c_str(), n.c_str(), t.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }
    void waitFor(pid_t pid) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    // Creates the table, then lets two writers run their attempts at once.
    void runTwoWriters(const std::string& name1, const std::string& course1,
                       const std::string& name2, const std::string& course2, int attempts) {
        {
            auto h = makeStore();
            ASSERT_TRUE(h->valid());
        }
        const pid_t a = run(name1, course1, attempts, 1);
        const pid_t b = run(name2, course2, attempts, 2);
        waitFor(a);
        waitFor(b);
    }
};

TEST_F(TTHistoryProcessTest, SameLearnerAndCourseLoseNoUpdate) {
    constexpr int kAttempts = 200;
    runTwoWriters("Ann", "C1", "ann", "c1", kAttempts);

    auto h = makeStore();
    EXPECT_EQ(h->GetNextId(), 2) << "both processes share one record";
    ASSERT_TRUE(h->OpenHistorySess(0, "", 2, "C1", "Ann"));
    HistorySess s = session(*h);
    // The newest five attempts were each ended by the process that started them.
    for (const HistorySlot& slot : s.Slots) {
        ASSERT_GT(slot.QTAKEN, 0);
        EXPECT_EQ(slot.QRIGHT, slot.QTAKEN % 97) << slot.QTAKEN;
        EXPECT_EQ(slot.QTRIED, slot.QTAKEN % 89) << slot.QTAKEN;
        EXPECT_EQ(slot.TestID, "EX" + std::to_string(slot.QTAKEN / 1000));
    }
    // Each process's own attempts appear newest first.
    for (int tag : {1, 2}) {
        int previous = 1 << 30;
        for (const HistorySlot& slot : s.Slots) {
            if (slot.QTAKEN / 1000 != tag) continue;
            EXPECT_LT(slot.QTAKEN, previous);
            previous = slot.QTAKEN;
        }
    }
    EXPECT_TRUE(s.Slots[0].QTAKEN % 1000 == kAttempts);
}

TEST_F(TTHistoryProcessTest, DifferentLearnersKeepTheirOwnNewestFive) {
    constexpr int kAttempts = 200;
    runTwoWriters("Ann", "C1", "Bob", "C1", kAttempts);

    auto h = makeStore();
    EXPECT_EQ(h->GetNextId(), 3);
    for (auto [name, tag] : {std::pair{"Ann", 1}, std::pair{"Bob", 2}}) {
        ASSERT_TRUE(h->OpenHistorySess(0, "", 2, "C1", name));
        HistorySess s = session(*h);
        for (int n = 0; n < kHistorySlots; ++n) {
            const int taken = tag * 1000 + kAttempts - n;
            EXPECT_EQ(s.Slots[n].QTAKEN, taken) << name << " slot " << n + 1;
            EXPECT_EQ(s.Slots[n].QRIGHT, taken % 97);
        }
    }
}

}  // namespace
}  // namespace zentrix::history
