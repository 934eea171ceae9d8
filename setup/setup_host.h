#pragma once

// What the flows need of whoever runs them: the setup window, or the
// unattended run on a console.

#include <chrono>

namespace zentrix::setup {

class SetupHost {
public:
    virtual ~SetupHost() = default;

    // The screen changed: show it and let pending events run. A close posted
    // meanwhile is kept until the running flow has returned.
    virtual void screenChanged() = 0;
    // Posted to the window itself, handled once the running flow returns.
    virtual void postClose() = 0;
    virtual void postUninstall() = 0;
    // The install has ended: the window closes.
    virtual void closeWindow() = 0;

    // One step of a wait: lets pending events run for `interval`. Gives false
    // when the person chose to stop waiting.
    virtual bool waitStep(std::chrono::milliseconds interval) = 0;
    // Shows or hides the way out of a long wait ("Stop waiting").
    virtual void offerStopWaiting(bool offered) = 0;
};

}  // namespace zentrix::setup
