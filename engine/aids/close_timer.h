#pragma once

// The one-shot timer that closes the feedback window. The program uses
// QtCloseTimer; tests give the window one they fire by hand.

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

}  // namespace zentrix::engine::aids
