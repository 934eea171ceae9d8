#pragma once

// Draws the screenshots of the demo's simulated applications: a network
// settings dialog, a file manager and a web browser. The zone rectangles in
// demo/simulations/*.json refer to the coordinates used here.

#include <vector>

#include "demo/tools/exhibit_painter.h"

namespace zentrix::demo {

class ScreenshotPainter {
public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 320;

    // Every screenshot, named "<simulation>-<frame>.png".
    static std::vector<NamedPicture> all();

    static std::vector<NamedPicture> staticAddress();
    static std::vector<NamedPicture> fileManager();
    static std::vector<NamedPicture> routerPage();
};

}  // namespace zentrix::demo
