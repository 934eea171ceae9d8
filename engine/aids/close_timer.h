#pragma once

// The one-shot timer that closes the feedback window. The program uses
// QtCloseTimer; tests give the window a ManualCloseTimer they fire by hand.

#include <QTimer>
#include <functional>

namespace zentrix::engine::aids {

class CloseTimer {
public:
    virtual ~CloseTimer() = default;
    virtual void Start(int milliseconds, std::function<void()> onTimeout) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

class QtCloseTimer : public CloseTimer {
public:
    QtCloseTimer() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTimeout_) onTimeout_();
        });
    }
    void Start(int milliseconds, std::function<void()> onTimeout) override {
        onTimeout_ = std::move(onTimeout);
        timer_.start(milliseconds);
    }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> onTimeout_;
};

// A timer that runs out only when Fire() is called: tests close the window
// when they choose, without waiting.
class ManualCloseTimer : public CloseTimer {
public:
    void Start(int milliseconds, std::function<void()> onTimeout) override {
        interval_ = milliseconds;
        onTimeout_ = std::move(onTimeout);
        active_ = true;
    }
    void Stop() override { active_ = false; }
    bool IsActive() const override { return active_; }
    // Runs the timeout action when the timer is running.
    void Fire() {
        if (active_ && onTimeout_) onTimeout_();
    }
    int Interval() const { return interval_; }

private:
    int interval_ = 0;
    bool active_ = false;
    std::function<void()> onTimeout_;
};

}  // namespace zentrix::engine::aids
