#include "setup/unattended_run.h"

#include <ostream>
#include <thread>

#include "setup/install_flow.h"
#include "setup/setup_startup.h"
#include "setup/setup_texts.h"
#include "setup/uninstall_flow.h"

namespace zentrix::setup {

namespace {

// Answers every question Yes and prints what a box would show.
class ConsoleDialogs : public SetupDialogs {
public:
    ConsoleDialogs(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void beep() override {}
    void information(const std::string& text) override { out_ << text << "\n" << std::flush; }
    void error(const std::string& text) override {
        ++errors;
        err_ << "error: " << text << "\n" << std::flush;
    }
    bool question(const std::string& text) override {
        out_ << text << " Yes\n" << std::flush;
        return true;
    }
    int errors = 0;

private:
    std::ostream& out_;
    std::ostream& err_;
};

// Prints each new heading and status line; posted messages are kept.
class ConsoleHost : public SetupHost {
public:
    explicit ConsoleHost(std::ostream& out) : out_(out) {}
    void watch(const InstallScreen& screen) { screen_ = &screen; }

    void screenChanged() override {
        if (!screen_) return;
        // "Install To:" labels the folder box; it is no progress.
        const bool progress = screen_->headingVisible && screen_->heading != texts::kInstallTo;
        print(progress ? screen_->heading : std::string(), heading_);
        print(screen_->panelVisible ? screen_->status : std::string(), status_);
    }
    void postClose() override { closePosted = true; }
    void postUninstall() override { uninstallPosted = true; }
    void closeWindow() override { closePosted = true; }
    bool waitStep(std::chrono::milliseconds interval) override {
        std::this_thread::sleep_for(interval);
        return true;
    }
    void offerStopWaiting(bool offered) override {
        if (offered) out_ << "  still waiting for the program to end\n" << std::flush;
    }

    bool closePosted = false;
    bool uninstallPosted = false;

private:
    void print(const std::string& text, std::string& last) {
        if (!text.empty() && text != last) out_ << "  " << text << "\n" << std::flush;
        last = text;
    }

    std::ostream& out_;
    const InstallScreen* screen_ = nullptr;
    std::string heading_, status_;
};

}  // namespace

UnattendedRun::UnattendedRun(platform::Platform& platform, SetupLocation& location,
                             std::ostream& out, std::ostream& err)
    : platform_(platform), location_(location), out_(out), err_(err) {}

int UnattendedRun::run(const SetupCommandLine& line) {
    ConsoleDialogs dialogs(out_, err_);
    ConsoleHost host(out_);
    SetupSession session(platform_, dialogs, host, location_, line.arguments);
    host.watch(session.screen);
    session.state.startsNoProgram = line.noRun;

    SetupStartup startup(session);
    startup.create();
    bool refused = false;
    switch (startup.activate()) {
        case StartupOutcome::Uninstall:
            out_ << "Uninstalling\n";
            refused = !UninstallFlow(session).RunUninstall();
            break;
        case StartupOutcome::InstallPanel:
            if (line.target) session.screen.installFolder = *line.target;
            out_ << session.screen.caption << ": installing to " << session.screen.installFolder
                 << "\n";
            refused = !InstallFlow(session).run();
            break;
        case StartupOutcome::PackagesDone:
        case StartupOutcome::RanDeferred:
            break;
        case StartupOutcome::Closing:
        case StartupOutcome::Stopped:
            refused = true;
            break;
    }
    if (refused && dialogs.errors == 0) err_ << "nothing was changed\n" << std::flush;
    return refused || dialogs.errors > 0 ? 1 : 0;
}

}  // namespace zentrix::setup
