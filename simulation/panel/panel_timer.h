#pragma once

#include <QTimer>
#include <functional>
#include <memory>

namespace zentrix::simulation::panel {

// The panel's one timer (timed zones, the double-click wait). Tests give the
// panel a timer they fire themselves, so no test waits on the clock.
class PanelTimer {
public:
    virtual ~PanelTimer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

    std::function<void()> onTimeout;
};

// A repeating window timer on the user-interface thread.
class QtPanelTimer : public PanelTimer {
public:
    QtPanelTimer();
    void start(int intervalMs) override;
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

using PanelTimerFactory = std::function<std::unique_ptr<PanelTimer>()>;

}  // namespace zentrix::simulation::panel
