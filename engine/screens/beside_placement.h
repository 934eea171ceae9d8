#pragma once

// Where a text window (the hint, the references) first opens beside the main
// window: right of it where the screen has room for the window, else left of
// it, narrower when only that much room is left on one side (down to
// kNarrowest), else over the main window's right edge, low in the question
// area so that the question stays in sight as far as it can. Plain geometry,
// frame rectangles on the screen.

#include <QRect>

namespace zentrix::engine {

struct BesidePlacement {
    int left = 0;
    int width = 0;      // the window's frame width, narrowed or not
    bool over = false;  // over the main window instead of beside it

    static constexpr int kGap = 8;
    static constexpr int kNarrowest = 300;
    static constexpr int kOverMargin = 15;
    // The test screen's button rows at the main window's bottom.
    static constexpr int kButtonRows = 75;

    // The side and width for a window `width` wide.
    static BesidePlacement Choose(const QRect& main, const QRect& available, int width);
    // Its top, once its height is known: `topOffset` below the main window's
    // top beside it, above the button rows over it; always on the screen.
    int Top(const QRect& main, const QRect& available, int height, int topOffset) const;
};

}  // namespace zentrix::engine
