#include "simulation/panel/panel_timer.h"

namespace zentrix::simulation::panel {

QtPanelTimer::QtPanelTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout) onTimeout();
    });
}

void QtPanelTimer::start(int intervalMs) {
    timer_.setInterval(intervalMs);
    timer_.start();
}

}  // namespace zentrix::simulation::panel
