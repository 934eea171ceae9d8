#include "engine/screen_layout_table.h"

#include <gtest/gtest.h>

#include <QRect>
#include <set>
#include <string>

namespace zentrix::engine {
namespace {

const ControlPlacement* Find(ScreenId screen, const std::string& control) {
    for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
        if (control == placement.control) return &placement;
    }
    return nullptr;
}

// The layout is written top before left; these catch an entry whose
// coordinates went in the wrong order.
TEST(ScreenLayoutTableTest, SampleEntriesKeepLeftAndTopApart) {
    const struct {
        ScreenId screen;
        const char* control;
        QPoint shown, parked;
        QSize shownSize, parkedSize;
    } cases[] = {
        {ScreenId::MainInterface, "BtnMainEnter", {466, 454}, {444, 508}, {}, {}},
        {ScreenId::MainInterface, "vsiTestSelectBox", {12, 110}, {1, 1}, {616, 316}, {1, 1}},
        {ScreenId::QVTestType, "preexplain", {45, 169}, {398, 278}, {256, 228}, {240, 25}},
        {ScreenId::ComfirmQV, "btnConfirmBegin", {462, 454}, {696, 444}, {}, {}},
        {ScreenId::TestWindow, "lbQuestionNo", {18, 458}, {134, 418}, {}, {}},
        {ScreenId::ExamReview, "Report1ListBox", {44, 100}, {516, 60}, {401, 296}, {518, 265}},
        {ScreenId::ExamResults, "lbAllWay", {560, 219}, {782, 447}, {}, {}},
    };
    for (const auto& c : cases) {
        const ControlPlacement* placement = Find(c.screen, c.control);
        ASSERT_NE(placement, nullptr) << c.control;
        EXPECT_EQ(placement->shown, c.shown) << c.control;
        EXPECT_EQ(placement->parked, c.parked) << c.control;
        EXPECT_EQ(placement->shownSize.value_or(QSize()), c.shownSize) << c.control;
        EXPECT_EQ(placement->parkedSize.value_or(QSize()), c.parkedSize) << c.control;
    }
}

// A control listed on two screens would be parked by one while the other shows it.
TEST(ScreenLayoutTableTest, EveryControlBelongsToOneScreenAndIsShownInsideTheWindow) {
    std::set<std::string> seen;
    for (ScreenId screen : kAllScreens) {
        for (const ControlPlacement& placement : ScreenLayoutTable(screen)) {
            EXPECT_TRUE(seen.insert(placement.control).second) << placement.control;
            EXPECT_TRUE(QRect(0, 0, 640, 480).contains(placement.shown)) << placement.control;
        }
    }
    EXPECT_TRUE(ScreenLayoutTable(ScreenId::None).empty());
}

}  // namespace
}  // namespace zentrix::engine
