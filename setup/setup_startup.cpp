#include "setup/setup_startup.h"

#include "base/ascii_text.h"
#include "platform/path_text.h"
#include "platform/registry.h"
#include "setup/exam_package_flow.h"
#include "setup/setup_command_line.h"
#include "setup/setup_texts.h"

namespace zentrix::setup {

namespace {

// Scripts written for Windows propose "C:\Program Files\<name>": that is the
// platform's programs folder here.
std::string mappedProposal(const std::string& proposal, const std::string& programsFolder) {
    const std::string windowsPrograms = ":\\Program Files\\";
    if (proposal.size() > windowsPrograms.size() + 1 &&
        base::ascii::equalsIgnoringCase(proposal.substr(1, windowsPrograms.size()),
                                        windowsPrograms)) {
        return programsFolder + "/" +
               platform::nativePath(proposal.substr(1 + windowsPrograms.size()));
    }
    return proposal;
}

}  // namespace

std::string SetupStartup::welcomeText(const std::string& programName, const std::string& version) {
    return texts::kWelcomePrefix + programName +
           (version.empty() ? std::string(".") : texts::kVersionInfix + version);
}

bool SetupStartup::confirmExit() {
    if (!session_.state.confirmCancel) return true;
    session_.dialogs.beep();
    return session_.dialogs.question(texts::kAbortQuestion);
}

void SetupStartup::create() {
    SetupState& state = session_.state;
    state.activated = false;
    state.confirmCancel = true;
    state.isAdmin = session_.platform.system->isUserAdmin();
    InstallScreen& screen = session_.screen;
    screen.panelVisible = true;
    screen.heading = texts::kInstallTo;
    screen.exitCaption = texts::kCancel;
    screen.exitVisible = true;
    screen.exitEnabled = true;
    screen.installVisible = false;
    screen.changeFolderVisible = false;
    session_.refresh();
}

StartupOutcome SetupStartup::activate() {
    SetupState& state = session_.state;
    if (state.activated) return StartupOutcome::Stopped;
    state.activated = true;
    SetupDialogs& dialogs = session_.dialogs;

    SetupCommandLine line;
    line.arguments = session_.arguments();
    if (line.selectsUninstall()) {
        if (state.isAdmin) {
            session_.host.postUninstall();
            return StartupOutcome::Uninstall;
        }
        dialogs.beep();
        dialogs.error(texts::kUninstallNeedsAdmin);
        session_.host.postClose();
        return StartupOutcome::Closing;
    }

    session_.takeSetupFolder();
    const platform::Status opened =
        session_.openScript(state.setupDir + "/" + SetupScript::kFileName);
    InstallScreen& screen = session_.screen;
    const ScriptMain& main = state.main;
    screen.caption = main.programName + texts::kInstallCaptionSuffix;
    screen.installFolder =
        mappedProposal(main.defaultInstallDir, session_.platform.system->programFilesFolder());
    screen.welcome = welcomeText(main.programName, main.version);
    session_.refresh();
    if (!opened) {
        // Without its script the program knows nothing to install.
        dialogs.error(opened.message());
        session_.host.postClose();
        return StartupOutcome::Closing;
    }

    platform::Registry& registry = *session_.platform.registry;
    Result<std::string> startMenu =
        registry.readString(platform::RootKey::CurrentUser, platform::registry_keys::kShellFolders,
                            platform::registry_keys::kStartMenuValue);
    if (!startMenu) {
        dialogs.error(texts::kRegistryNotOpened);
        return StartupOutcome::Stopped;
    }
    state.startMenuDir = startMenu.value();

    if (std::optional<platform::RootKey> root = platform::RootKeyFromName(main.installDirRoot)) {
        Result<std::string> earlier = registry.readString(*root, main.key, "HomeDir");
        if (earlier && !earlier.value().empty()) screen.installFolder = earlier.value();
    }
    session_.refresh();

    ExamPackageFlow packages(session_);
    const InstallState installed = packages.InstallExamPackages();
    if (installed == InstallState::NotInstalled) {
        if (!state.isAdmin) {
            dialogs.beep();
            dialogs.error(texts::kInstallNeedsAdmin);
            session_.host.postClose();
            return StartupOutcome::Closing;
        }
        screen.status.clear();
        screen.heading = texts::kInstallTo;
        screen.panelVisible = true;
        screen.headingVisible = true;
        screen.folderVisible = true;
        screen.changeFolderVisible = true;
        screen.installVisible = true;
        screen.exitVisible = true;
        session_.refresh();
        return StartupOutcome::InstallPanel;
    }
    return packages.RerunCheck() ? StartupOutcome::RanDeferred : StartupOutcome::PackagesDone;
}

}  // namespace zentrix::setup
