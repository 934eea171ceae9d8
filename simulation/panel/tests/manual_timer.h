#pragma once

#include "simulation/panel/panel_timer.h"

namespace zentrix::simulation::panel::testing {

// A panel timer that only the test fires, so no test waits on the clock.
class ManualTimer : public PanelTimer {
public:
    void start(int intervalMs) override {
        interval_ = intervalMs;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const override { return interval_; }
    // One tick, when running.
    void tick() {
        if (active_ && onTimeout) onTimeout();
    }

private:
    bool active_ = false;
    int interval_ = 0;
};

}  // namespace zentrix::simulation::panel::testing
