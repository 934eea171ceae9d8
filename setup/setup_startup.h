#pragma once

// The setup window's creation and first activation: which job this start
// does. An argument with "-u" selects the uninstall; otherwise the script is
// read, the window titled, the install folder proposed (an earlier install's
// folder first), and the exam-package step tells whether the product is
// installed already: if not, an administrator gets the install panel.

#include "setup/setup_session.h"

namespace zentrix::setup {

enum class StartupOutcome {
    Uninstall,     // the uninstall was posted
    Closing,       // a close was posted (no rights, a missing script)
    InstallPanel,  // waiting for the person to press Install
    PackagesDone,  // exam packages and updates done; Close is offered
    RanDeferred,   // the re-run started the deferred program and closes
    Stopped,       // start-up ended with a message; the window stays
};

class SetupStartup {
public:
    explicit SetupStartup(SetupSession& session) : session_(session) {}

    // FormCreate: the screen before the first activation.
    void create();
    // FormActivate: runs once per session; later calls give Stopped.
    StartupOutcome activate();

    // btnExitClick: whether the window may close now (asks "Abort this
    // installation?" while an install could still be started).
    bool confirmExit();

    // "Welcome to Brenlo's <name>." or "... <name>. Version <v>".
    static std::string welcomeText(const std::string& programName, const std::string& version);

private:
    SetupSession& session_;
};

}  // namespace zentrix::setup
