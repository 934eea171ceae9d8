#include "engine/attempt/attempt_history.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "base/message_sink.h"
#include "history/tthistory.h"
#include "xbase/engine.h"

namespace zentrix::engine {
namespace {

namespace fs = std::filesystem;
using questionbank::QVSimListInfo;

class AttemptHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zx-attempt-history-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        clock_ = std::make_shared<history::FixedClock>(history::LocalDateTime{2026, 3, 2, 9, 0, 0});
        store_ = std::make_unique<history::TTHistory>(engine_, dir_.string() + "/", sink_, clock_);
    }
    void TearDown() override {
        store_.reset();
        fs::remove_all(dir_);
    }
    history::HistorySlot latest() const {
        history::HistorySess sess;
        store_->Get_CurHistoryInfo(sess);
        return sess.Slots[0];
    }
    static ExamItems items(int count, int answered, int correct) {
        ExamItems out(static_cast<size_t>(count));
        for (int i = 0; i < answered; ++i) out[static_cast<size_t>(i)].Answered = true;
        for (int i = 0; i < correct; ++i) out[static_cast<size_t>(i)].Correct = true;
        return out;
    }

    fs::path dir_;
    xbase::Engine engine_;
    base::RecordingMessageSink sink_;
    std::shared_ptr<history::FixedClock> clock_;
    std::unique_ptr<history::TTHistory> store_;
};

TEST_F(AttemptHistoryTest, AnAttemptIsStartedWithItsKindAndEndedWithItsCounts) {
    const struct {
        ExamMode mode;
        const char* exam;
        int kind;
    } cases[] = {{ExamMode::OpenBook, "NET1", 1},
                 {ExamMode::ClosedBook, "NET1", 2},
                 {ExamMode::Mixed, "", 3}};
    for (const auto& c : cases) {
        AttemptHistory attempt(store_.get());
        clock_->set({2026, 3, 2, 9, 0, 0});
        ASSERT_TRUE(attempt.Open("Ada", "NET", c.mode, 10, c.exam));
        clock_->set({2026, 3, 2, 9, 12, 30});
        attempt.Finish(items(10, 6, 4));
        const history::HistorySlot slot = latest();
        EXPECT_EQ(slot.QType, c.kind);
        EXPECT_EQ(slot.TestID, c.exam);
        EXPECT_EQ(slot.QTAKEN, 10);
        EXPECT_EQ(slot.QTRIED, 6);
        EXPECT_EQ(slot.QRIGHT, 4);
        EXPECT_EQ(slot.TIMESTR, 9 * 3600);
        EXPECT_EQ(slot.TIMEEND, 9 * 3600 + 12 * 60 + 30);
        EXPECT_EQ(slot.DATE, history::DayNumber(2026, 3, 2));
    }
    history::HistorySess sess;
    store_->Get_CurHistoryInfo(sess);
    EXPECT_EQ(sess.Slots[2].QType, 1) << "one record holds the three attempts";
}

TEST_F(AttemptHistoryTest, NothingAnsweredEndsNothingAndAnAttemptEndsOnce) {
    AttemptHistory attempt(store_.get());
    ASSERT_TRUE(attempt.Open("Ada", "NET", ExamMode::OpenBook, 3, "NET1"));
    attempt.Finish(items(3, 0, 0));
    EXPECT_EQ(latest().TIMEEND, 0);
    clock_->set({2026, 3, 2, 9, 5, 0});
    attempt.Finish(items(3, 2, 1));
    clock_->set({2026, 3, 2, 9, 9, 0});
    attempt.Finish(items(3, 3, 3));
    EXPECT_EQ(latest().QRIGHT, 1) << "a second end does not overwrite the first";
    EXPECT_EQ(latest().TIMEEND, 9 * 3600 + 5 * 60);
}

TEST_F(AttemptHistoryTest, WithoutAStoreNothingIsRecordedAndTheAttemptGoesOn) {
    AttemptHistory attempt(nullptr);
    EXPECT_TRUE(attempt.Open("Ada", "NET", ExamMode::OpenBook, 3, "NET1"));
    attempt.Finish(items(3, 3, 3));
}

TEST(CourseOfRow, IsTheNearestCourseRowAtOrAbove) {
    std::vector<QVSimListInfo> rows(5);
    rows[0].CourseId = "A";
    rows[0].NodeKind = questionbank::kCourseRow;
    rows[1].CourseId = "A";
    rows[1].NodeKind = questionbank::kExamRow;
    rows[2].NodeKind = questionbank::kCourseRow;  // the blank row between courses
    rows[3].CourseId = "B";
    rows[3].NodeKind = questionbank::kCourseRow;
    rows[4].CourseId = "B";
    rows[4].NodeKind = questionbank::kMixedRow;
    EXPECT_EQ(CourseOfRow(rows, 1), "A");
    EXPECT_EQ(CourseOfRow(rows, 4), "B");
    EXPECT_EQ(CourseOfRow(rows, 0), "A");
    rows.erase(rows.begin());
    EXPECT_EQ(CourseOfRow(rows, 0), "");
}

}  // namespace
}  // namespace zentrix::engine
