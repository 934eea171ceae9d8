#pragma once

// Where each control of a screen stands when the screen is shown and where
// it is parked when the screen is left. Positions are left/top in the main
// window's 640 by 480 client area; a few controls also change size. Controls
// are named as the main window names its widgets.

#include <QPoint>
#include <QSize>
#include <optional>
#include <span>

#include "engine/screen_id.h"

namespace zentrix::engine {

struct ControlPlacement {
    const char* control;
    QPoint shown;
    QPoint parked;
    std::optional<QSize> shownSize;
    std::optional<QSize> parkedSize;
};

// The table of a screen; empty for ScreenId::None.
std::span<const ControlPlacement> ScreenLayoutTable(ScreenId screen);

// The question area of the test screen and the simulation panel: their
// bounds depend on the kind of question, so they are not in the tables.
struct QuestionAreaBounds {
    static constexpr QPoint kPosition{10, 26};
    static constexpr QSize kNormalSize{621, 381};
    static constexpr QSize kSimulationSize{621, 58};
    static constexpr QPoint kParkedPosition{830, 20};
    static constexpr QSize kParkedSize{10, 10};
    static constexpr QPoint kSimulationPanelPosition{10, 84};
    static constexpr QSize kSimulationPanelSize{621, 327};
    static constexpr QPoint kSimulationPanelParkedPosition{1, 1};
    static constexpr QSize kSimulationPanelParkedSize{1, 1};
};

}  // namespace zentrix::engine
