#include "setup/exam_package_flow.h"

#include <filesystem>

#include "platform/file_version.h"
#include "platform/registry.h"
#include "questionbank/bank_path.h"
#include "questionbank/ttesting.h"
#include "setup/exam_package_copier.h"
#include "setup/script_paths.h"
#include "setup/setup_texts.h"
#include "setup/shortcut_maker.h"
#include "xbase/engine.h"

namespace zentrix::setup {

namespace fs = std::filesystem;
using platform::FileVersionText;
using platform::IsNewerVersion;
using platform::ParseVersionText;

namespace {

bool isFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// A missing or unversioned file reads as version 0.0.0.0.
bool isNewer(const std::string& candidate, const std::string& installed) {
    return IsNewerVersion(ParseVersionText(FileVersionText(candidate)),
                          ParseVersionText(FileVersionText(installed)));
}

}  // namespace

InstallState ExamPackageFlow::InstallExamPackages() {
    SetupState& state = session_.state;
    InstallScreen& screen = session_.screen;
    const std::string installFolder = session_.installFolderFromBox();
    const std::string exeName = ScriptPaths::stripSeparators(state.main.exeName);
    if (installFolder.empty() || exeName.empty() ||
        !isFile(ScriptPaths::native(ScriptPaths::join(installFolder, exeName))))
        return InstallState::NotInstalled;

    screen.heading = texts::kCheckingForInstalledExams;
    screen.changeFolderVisible = false;
    screen.installVisible = false;
    screen.exitVisible = false;
    session_.refresh();

    const std::optional<int> packages = session_.count(ScriptCount::PreInstalledTests);
    CheckForUpdates(exeName);
    if (!packages) return InstallState::AlreadyInstalled;
    if (*packages < 1) {
        session_.dialogs.information(state.main.programName + texts::kAlreadyInstalledSuffix);
        return InstallState::AlreadyInstalled;
    }

    session_.takeSetupFolder();
    session_.setStatus(texts::kCheckingForInstalledExams);
    const SetupScript& script = session_.script();
    const std::optional<platform::RootKey> root =
        platform::RootKeyFromName(state.main.databaseRoot);
    if (!root || !session_.platform.registry->keyExists(*root, state.main.databaseKey))
        return InstallState::NotInstalled;
    if (!openBanks()) return InstallState::AlreadyInstalled;

    ExamPackageCopier copier(session_, *session_.sourceBank, *session_.installedBank);
    for (int i = 1; i <= *packages; ++i) copier.installCourse(script.preInstalledTest(i));
    session_.flushWritten();

    state.confirmCancel = false;
    screen.heading = texts::kAllExamsInstalled;
    screen.changeFolderVisible = false;
    screen.installVisible = false;
    screen.status.clear();
    session_.refresh();
    return InstallState::ExamsInstalled;
}

bool ExamPackageFlow::openBanks() {
    SetupState& state = session_.state;
    // Opening a bank creates its catalogue where it is missing: neither the
    // medium nor a folder that is not the installed bank may get one.
    const std::string medium = session_.mediumPath(kPackageBankFolder);
    if (!isFile(ScriptPaths::native(medium + "gtest.dbf")) ||
        !isFile(ScriptPaths::native(medium + "ptest.dbf"))) {
        session_.dialogs.error(medium + ": the medium holds no exam package bank");
        return false;
    }
    Result<std::string> folder =
        session_.platform.registry->readString(*platform::RootKeyFromName(state.main.databaseRoot),
                                               state.main.databaseKey, state.main.databaseString);
    const std::string installed =
        folder ? questionbank::BankPath::asFolder(ScriptPaths::native(folder.value())) : "";
    std::error_code error;
    if (installed.empty() || !fs::is_directory(installed, error)) {
        session_.dialogs.error((installed.empty() ? state.main.databaseString : installed) +
                               ": the installed question bank was not found");
        return false;
    }

    xbase::Engine& engine = session_.bankEngine();
    if (!session_.sourceBank) {
        engine.takeErrorCode();  // each bank starts without an older pending error
        session_.sourceBank =
            std::make_unique<questionbank::TTesting>(engine, medium, session_.bankMessages());
    }
    session_.clearFolderAttributes(installed);
    if (!session_.installedBank) {
        engine.takeErrorCode();
        session_.installedBank =
            std::make_unique<questionbank::TTesting>(engine, installed, session_.bankMessages());
    }
    return session_.sourceBank->IsValid() && session_.installedBank->IsValid();
}

void ExamPackageFlow::updateFile(const std::string& source, const std::string& target) {
    if (isNewer(source, target)) session_.replaceFile(source, target);
}

void ExamPackageFlow::CheckForUpdates(const std::string& exeName) {
    InstallScreen& screen = session_.screen;
    SetupState& state = session_.state;
    screen.headingVisible = false;
    screen.changeFolderVisible = false;
    screen.installVisible = false;
    screen.folderVisible = false;
    screen.panelVisible = true;
    session_.setStatus(texts::kCheckingForUpdates);
    session_.takeFolders();

    const std::string library = SetupSession::engineLibraryName();
    updateFile(session_.mediumPath("\\" + library), ScriptPaths::join(state.installDir, library));
    updateMainProgram(exeName);

    if (const std::optional<int> libraries = session_.count(ScriptCount::DllToReg)) {
        for (int n = 1; n <= *libraries; ++n) {
            session_.setStatus(session_.script().updatingDescription(n));
            const ScriptRegDll dll = session_.script().regDll(n);
            if (!dll.checkVersion.isTrue()) continue;
            const std::string source = session_.mediumPath(dll.source);
            const std::string target = session_.expandedPath(dll.dest);
            if (!isFile(target) || isNewer(source, target)) session_.replaceFile(source, target);
        }
    }
    session_.flushWritten();
    session_.setStatus(std::string());
}

void ExamPackageFlow::updateMainProgram(const std::string& exeName) {
    SetupState& state = session_.state;
    const std::string installed = ScriptPaths::native(ScriptPaths::join(state.installDir, exeName));
    const std::string candidate = session_.mediumPath(kPackageFolder + exeName);
    if (!isFile(installed) || !isNewer(candidate, installed)) return;
    if (!state.isAdmin) {
        session_.dialogs.beep();
        session_.dialogs.error(texts::kInstallNeedsAdmin);
        session_.host.postClose();
        return;
    }
    if (!session_.platform.shell->makeWritable(installed)) return;
    session_.replaceFile(candidate, installed);
    const std::string graphics = ScriptPaths::join(state.installDir, "graphics");
    session_.clearFolderAttributes(graphics);
    session_.copy(session_.mediumPath(std::string(kPackageFolder) + "graphics\\*.*"),
                  ScriptPaths::native(graphics) + "/");
    // The main shortcut is made again under the name the install gave it, so
    // the uninstall, which removes that name, finds it.
    const ScriptLink link = session_.script().link(1);
    if (!link.linkName.empty()) ShortcutMaker(session_).make(link, link.linkName, 1);
}

bool ExamPackageFlow::RerunCheck() {
    InstallScreen& screen = session_.screen;
    DeferredRun remembered;
    if (const std::optional<int> groups = session_.count(ScriptCount::Groups)) {
        // The groups' descriptions are not shown here: they name copying
        // that this run does not do.
        for (int n = 1; n <= *groups; ++n) {
            const ScriptGroup group = session_.script().group(n);
            if (group.setupOnly.isTrue() && group.runBeforeExit.isTrue())
                remembered = {true, group.setupExe, group.programFolder()};
        }
    }
    if (remembered.seen && !session_.state.startsNoProgram) {
        const std::string box = session_.installFolderFromBox();
        session_.launchProgram(remembered.setupExe,
                               box.empty() ? ScriptPaths::native(remembered.source) : box);
        session_.host.postClose();
        return true;
    }
    screen.status.clear();
    screen.panelVisible = true;
    screen.headingVisible = true;
    screen.exitCaption = texts::kClose;
    screen.exitVisible = true;
    session_.refresh();
    return false;
}

}  // namespace zentrix::setup
