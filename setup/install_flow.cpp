#include "setup/install_flow.h"

#include <filesystem>

#include "platform/registry.h"
#include "setup/library_registration.h"
#include "setup/program_waiter.h"
#include "setup/registry_entries.h"
#include "setup/script_paths.h"
#include "setup/setup_texts.h"
#include "setup/shortcut_maker.h"

namespace zentrix::setup {

namespace fs = std::filesystem;

bool InstallFlow::run() {
    InstallScreen& screen = session_.screen;
    SetupState& state = session_.state;
    const std::string folder = session_.installFolderFromBox();
    if (folder.empty()) {
        session_.dialogs.information(texts::kNoInstallFolder);
        return false;
    }
    if (fs::path(folder).is_relative()) {
        session_.dialogs.information(texts::kRelativeInstallFolder);
        return false;
    }

    screen.headingVisible = false;
    screen.changeFolderVisible = false;
    screen.installVisible = false;
    screen.folderVisible = false;
    screen.exitVisible = false;
    session_.takeFolders();
    session_.refresh();

    copyUninstaller();
    session_.copy(session_.mediumPath(std::string("\\") + SetupSession::engineLibraryName()),
                  ScriptPaths::join(state.windowsDir, SetupSession::engineLibraryName()));

    if (!runGroups()) return false;
    session_.clearFolderAttributes(state.installDir + "/DataBase");
    if (!installLibraries() || !writeIniEntries() || !makeShortcuts() || !writeRegistryEntries())
        return false;

    session_.flushWritten();
    session_.dialogs.information(texts::kCompleted);
    const DeferredRun& deferred = state.deferredRun;
    if (deferred.seen && !state.startsNoProgram)
        session_.launchProgram(deferred.setupExe, session_.expandedPath(deferred.source));
    session_.host.closeWindow();
    return true;
}

void InstallFlow::copyUninstaller() {
    SetupState& state = session_.state;
    session_.copy(session_.mediumPath("\\" + state.main.setupName),
                  ScriptPaths::join(state.windowsDir, state.main.uninstallExeName));

    // The uninstall script: the setup script with the install folder added.
    const std::string uninstallScript =
        ScriptPaths::join(state.windowsDir, state.main.uninstallIniName);
    if (!session_.copy(session_.mediumPath("\\Install.ini"), uninstallScript)) return;
    if (!session_.platform.shell->makeWritable(uninstallScript)) return;
    SetupScript copy(*session_.platform.profiles, uninstallScript);
    session_.report(copy.writeText(SetupScript::kMainSection, "InstalledTo", state.installDir));
}

bool InstallFlow::runGroups() {
    SetupState& state = session_.state;
    const std::optional<int> groups = session_.count(ScriptCount::Groups);
    if (!groups) return false;
    for (int n = 1; n <= *groups; ++n) {
        const ScriptGroup group = session_.script().group(n);
        session_.setStatus(group.description);
        if (!group.setupOnly.isNotFalse()) {
            session_.copy(session_.mediumPath(group.fileSource()),
                          session_.expandedPath(group.dest), group.filesOnly.isNotFalse());
        } else if (group.runBeforeExit.isTrue()) {
            state.deferredRun = {true, group.setupExe, group.programFolder()};
        } else {
            runSetupProgram(group);
        }
    }
    return true;
}

void InstallFlow::runSetupProgram(const ScriptGroup& group) {
    const std::optional<platform::ProcessId> started =
        session_.launchProgram(group.setupExe, session_.mediumPath(group.programFolder()));
    if (!group.waitTillFinished.isTrue()) return;
    ProgramWaiter waiter(*session_.platform.processes, session_.processFinder(), session_.host,
                         [this](const std::string& text) { session_.setStatus(text); });
    waiter.wait({started, group.windowClassName, group.pauseAfterFinish,
                 group.alternateWindowClassName, group.alternateDescription});
}

bool InstallFlow::installLibraries() {
    const std::optional<int> libraries = session_.count(ScriptCount::DllToReg);
    if (!libraries) return false;
    LibraryRegistration registration(session_);
    for (int n = 1; n <= *libraries; ++n) {
        if (!registration.install(session_.script().regDll(n))) return false;
    }
    return true;
}

bool InstallFlow::writeIniEntries() {
    const std::optional<int> entries = session_.count(ScriptCount::Inis);
    if (!entries) return false;
    for (int n = 1; n <= *entries; ++n) {
        const ScriptIni entry = session_.script().ini(n);
        const std::string file = session_.expandedPath(entry.fileName);
        const std::string value = session_.expandedPath(entry.value);
        // Paths here have no short form: the short form of an existing path
        // is the path itself, and a path not there yet is written as it is.
        Result<std::string> shortForm = session_.platform.system->shortPath(value);
        const platform::Status written = session_.platform.profiles->writeString(
            file, entry.group, entry.string, shortForm ? shortForm.value() : value);
        session_.report(written);
        if (written) session_.remember(file);
    }
    return true;
}

bool InstallFlow::makeShortcuts() {
    const std::optional<int> links = session_.count(ScriptCount::Links);
    if (!links) return false;
    ShortcutMaker maker(session_);
    for (int n = 1; n <= *links; ++n) {
        const ScriptLink link = session_.script().link(n);
        maker.make(link, link.linkName, n);
    }
    return true;
}

bool InstallFlow::writeRegistryEntries() {
    session_.setStatus(texts::kMakingRegistryEntries);
    return RegistryEntries(session_).writeAll();
}

}  // namespace zentrix::setup
