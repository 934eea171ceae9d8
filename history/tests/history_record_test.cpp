#include "history/history_record.h"

#include <gtest/gtest.h>

#include "history/history_clock.h"

namespace zentrix::history {
namespace {

TEST(HistoryKeyTest, PadsCutsAndUpperCases) {
    struct Case {
        std::string name, course, expected;
    };
    const Case cases[] = {
        {"Ann", "c1", "ANN" + std::string(37, ' ') + "C1" + std::string(8, ' ')},
        {std::string(45, 'x'), "COURSE-IDENTIFIER", std::string(40, 'X') + "COURSE-IDE"},
        {"", "", std::string(50, ' ')},
        {"J\xe9r\xf4me", "a", "J\xc9R\xd4ME" + std::string(34, ' ') + "A" + std::string(9, ' ')},
    };
    for (const Case& c : cases) {
        const std::string key = HistoryKey(c.name, c.course);
        EXPECT_EQ(key.size(), 50u);
        EXPECT_EQ(key, c.expected) << c.name;
    }
}

TEST(HistoryClockTest, DayNumbersCountFromTheEndOf1899) {
    struct Case {
        int y, m, d;
        int32_t day;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},
        {1900, 1, 1, 2},      {1900, 3, 1, 61},  // 1900 was no leap year
        {2000, 2, 29, 36585}, {2026, 12, 10, 46366},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayNumber(c.y, c.m, c.d), c.day) << c.y << "-" << c.m << "-" << c.d;
}

TEST(HistoryRecordTest, LayoutHasFortyFourFieldsInSlotOrder) {
    const auto& fields = HistoryFields();
    ASSERT_EQ(fields.size(), 44u);
    EXPECT_EQ(fields[4].name, "QType_1");
    EXPECT_EQ(fields[11].name, "TestID_1");
    EXPECT_EQ(fields[12].name, "QType_2");
    EXPECT_EQ(fields[43].name, "TestID_5");
}

}  // namespace
}  // namespace zentrix::history
