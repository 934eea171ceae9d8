#pragma once

// The in-memory form of one TESTHIST record: a learner's five newest attempts
// at one course, and the table layout that stores it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/field.h"

namespace zentrix::history {

constexpr int kHistorySlots = 5;
constexpr size_t kNameWidth = 40;
constexpr size_t kCourseWidth = 10;
constexpr size_t kTestIdWidth = 10;

// Attempt kinds stored in QType.
enum AttemptKind : uint8_t { kOpenBook = 1, kClosedBook = 2, kMixedExam = 3 };

struct HistorySlot {
    int32_t DATE = 0;
    int32_t TIMESTR = 0;
    int32_t TIMEEND = 0;
    int32_t QTAKEN = 0;
    int32_t QRIGHT = 0;
    int32_t QTRIED = 0;
    uint8_t QType = 0;
    std::string TestID;

    bool operator==(const HistorySlot&) const = default;
};

struct HistorySess {
    int32_t ID = 0;
    std::string KeyID;
    std::string Name;
    std::string CourseID;
    std::array<HistorySlot, kHistorySlots> Slots{};  // Slots[0] is slot 1, the latest

    bool operator==(const HistorySess&) const = default;
};

// The name upper-cased (Windows-1252 letters, base/windows1252.h) blank-padded or cut to 40
// characters, followed by the upper-cased course padded or cut to 10: always 50 characters.
std::string HistoryKey(std::string_view name, std::string_view course);

// The 44 fields of TESTHIST in order, and its four tags.
const std::vector<xbase::FieldSpec>& HistoryFields();
const std::vector<xbase::TagSpec>& HistoryTags();

}  // namespace zentrix::history
