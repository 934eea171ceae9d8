// Where the hint and references windows first open: beside the main window
// on whichever side has room, narrower when that is all the room there is,
// over the main window's lower right on a small screen; never off the screen.

#include "engine/screens/beside_placement.h"

#include <gtest/gtest.h>

namespace zentrix::engine {
namespace {

TEST(BesidePlacementTest, TheWindowGoesWhereTheScreenHasRoomForIt) {
    const QRect wide(0, 0, 1920, 1080);
    const QRect laptop(0, 0, 1366, 768);
    const QRect small(0, 0, 800, 600);
    const struct {
        const char* what;
        QRect available;
        QRect main;
        QSize window;
        QRect expected;
        bool over;
    } cases[] = {
        {"right of it", wide, {640, 300, 640, 480}, {480, 200}, {1288, 340, 480, 200}, false},
        {"left of it when the right has no room",
         wide,
         {1200, 300, 640, 480},
         {480, 200},
         {712, 340, 480, 200},
         false},
        {"narrower beside it on a laptop",
         laptop,
         {363, 144, 640, 480},
         {480, 200},
         {1011, 184, 355, 200},
         false},
        {"kept on the screen at its bottom",
         wide,
         {640, 560, 640, 480},
         {480, 500},
         {1288, 580, 480, 500},
         false},
        {"over it, above the button rows",
         small,
         {80, 60, 640, 480},
         {480, 200},
         {225, 265, 480, 200},
         true},
        {"over it, and taller than the room left",
         small,
         {80, 60, 640, 480},
         {480, 560},
         {225, 40, 480, 560},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const BesidePlacement spot = BesidePlacement::Choose(c.main, c.available, c.window.width());
        EXPECT_EQ(spot.over, c.over);
        const QRect placed(spot.left, spot.Top(c.main, c.available, c.window.height(), 40),
                           spot.width, c.window.height());
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(c.available.contains(placed));
        if (!c.over) {
            EXPECT_FALSE(placed.intersects(c.main)) << "beside, not over";
        }
    }
}

}  // namespace
}  // namespace zentrix::engine
