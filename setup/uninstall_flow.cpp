#include "setup/uninstall_flow.h"

#include <filesystem>

#include "platform/path_text.h"
#include "platform/registry.h"
#include "setup/library_registration.h"
#include "setup/registry_entries.h"
#include "setup/removal_scope.h"
#include "setup/script_paths.h"
#include "setup/setup_command_line.h"
#include "setup/setup_texts.h"
#include "setup/shortcut_maker.h"

namespace zentrix::setup {

namespace fs = std::filesystem;

std::string UninstallFlow::titleText(const std::string& programName, const std::string& version) {
    return texts::kUninstallTitlePrefix + programName +
           (version.empty() ? std::string(".") : texts::kVersionInfix + version);
}

void UninstallFlow::stop() {
    session_.screen.exitEnabled = true;
    session_.refresh();
}

bool UninstallFlow::RunUninstall() {
    InstallScreen& screen = session_.screen;
    SetupState& state = session_.state;
    SetupDialogs& dialogs = session_.dialogs;
    screen.panelVisible = false;
    screen.folderVisible = false;
    screen.changeFolderVisible = false;
    screen.installVisible = false;
    screen.heading = texts::kUninstalling;
    screen.headingVisible = true;
    screen.exitCaption = texts::kClose;
    screen.exitVisible = true;
    state.confirmCancel = false;
    session_.refresh();

    state.systemDir = session_.platform.system->systemFolder();
    state.windowsDir = session_.platform.system->windowsFolder();
    state.currentDrive.clear();
    SetupCommandLine line;
    line.arguments = session_.arguments();
    const std::string scriptName = line.uninstallScriptName();
    const platform::Status opened =
        session_.openScript(ScriptPaths::join(state.windowsDir, scriptName));
    const ScriptMain& main = state.main;
    state.installDir = platform::withoutTrailingSeparators(ScriptPaths::native(main.installedTo));

    screen.caption = main.programName + texts::kUninstallCaptionSuffix;
    screen.welcome = titleText(main.programName, main.version);
    session_.refresh();

    // Without its script, or without the folder the install went to, there
    // is nothing the uninstall could safely remove.
    const bool knowsInstall = !scriptName.empty() && opened && !state.installDir.empty();
    const std::string exe = ScriptPaths::native(ScriptPaths::join(state.installDir, main.exeName));
    std::error_code error;
    if (!knowsInstall || (!main.exeName.empty() && !fs::is_regular_file(exe, error))) {
        dialogs.beep();
        dialogs.error(texts::kNothingToUninstall);
        session_.host.postClose();
        return false;
    }

    dialogs.beep();
    if (!dialogs.question(texts::kUninstallQuestionPrefix + main.programName +
                          texts::kUninstallQuestionSuffix)) {
        session_.host.postClose();
        return false;
    }
    screen.exitEnabled = false;
    screen.panelVisible = true;
    session_.refresh();

    platform::Registry& registry = *session_.platform.registry;
    Result<std::string> startMenu =
        registry.readString(platform::RootKey::CurrentUser, platform::registry_keys::kShellFolders,
                            platform::registry_keys::kStartMenuValue);
    if (!startMenu) {
        dialogs.error(texts::kRegistryNotOpened);
        stop();
        return false;
    }
    state.startMenuDir = startMenu.value();

    const std::optional<platform::RootKey> root = platform::RootKeyFromName(main.uninstallDirRoot);
    if (!root || !registry.keyExists(*root, main.key)) {
        stop();  // not installed: nothing is removed
        return false;
    }

    if (!removeGroups() || !removeLibraries() || !removeRegistryKeys()) {
        stop();
        return false;
    }
    removeShortcuts();

    screen.exitEnabled = true;
    screen.heading = texts::kUninstallCompleted;
    session_.refresh();
    return true;
}

bool UninstallFlow::removeGroups() {
    const SetupState& state = session_.state;
    const std::optional<int> groups = session_.count(ScriptCount::Groups);
    if (!groups) return false;
    const RemovalScope scope(state.installDir, {state.windowsDir, state.systemDir});
    for (int n = 1; n <= *groups; ++n) {
        const ScriptGroup group = session_.script().group(n);
        if (group.setupOnly.isTrue() || group.dontDelete.isTrue()) continue;
        const std::string target =
            platform::withoutTrailingSeparators(session_.expandedPath(group.dest));
        std::error_code error;
        if (!fs::exists(fs::symlink_status(target, error))) continue;
        platform::Status removable = scope.check(target);
        if (removable) removable = session_.platform.shell->moveToTrash(target);
        if (!removable) {
            // Refused: named in the status line, and the uninstall goes on.
            session_.setStatus("[Group" + std::to_string(n) +
                               "] not removed: " + removable.message());
        }
    }
    return true;
}

bool UninstallFlow::removeLibraries() {
    const SetupState& state = session_.state;
    const std::optional<int> libraries = session_.count(ScriptCount::DllToReg);
    if (!libraries) return false;
    const RemovalScope scope(state.installDir, {state.windowsDir, state.systemDir});
    LibraryRegistration registration(session_);
    for (int n = 1; n <= *libraries; ++n) {
        const ScriptRegDll library = session_.script().regDll(n);
        const bool mayDelete = bool(scope.check(session_.expandedPath(library.dest)));
        if (!registration.uninstall(library, mayDelete)) return false;
    }
    return true;
}

bool UninstallFlow::removeRegistryKeys() { return RegistryEntries(session_).removeAll(); }

void UninstallFlow::removeShortcuts() {
    const std::optional<int> links = session_.count(ScriptCount::Links);
    if (!links) return;
    ShortcutMaker maker(session_);
    for (int n = 1; n <= *links; ++n) {
        const ScriptLink link = session_.script().link(n);
        if (ScriptPaths::stripSeparators(link.linkName).empty()) continue;
        if (std::optional<std::string> path = maker.linkPath(link, link.linkName))
            (void)session_.platform.shell->deleteShortcut(*path);
    }
}

}  // namespace zentrix::setup
