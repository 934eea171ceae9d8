#include "setup/setup_session.h"

#include <filesystem>

#include "platform/path_text.h"
#include "platform/registry.h"
#include "questionbank/ttesting.h"
#include "setup/script_paths.h"
#include "setup/setup_texts.h"
#include "xbase/engine.h"

#ifndef ZENTRIX_ENGINE_LIBRARY_FILE
#define ZENTRIX_ENGINE_LIBRARY_FILE "libzentrix-xbase.so"
#endif

namespace zentrix::setup {

namespace fs = std::filesystem;
using platform::Status;

namespace {

// The question bank's reports are failures the person must see.
class DialogsMessageSink final : public base::MessageSink {
public:
    explicit DialogsMessageSink(SetupDialogs& dialogs) : dialogs_(dialogs) {}
    void showMessage(const std::string& text) override { dialogs_.error(text); }

private:
    SetupDialogs& dialogs_;
};

}  // namespace

const char* SetupSession::engineLibraryName() { return ZENTRIX_ENGINE_LIBRARY_FILE; }

SetupSession::SetupSession(platform::Platform& platform, SetupDialogs& dialogs, SetupHost& host,
                           SetupLocation& location, std::vector<std::string> arguments)
    : platform(platform),
      dialogs(dialogs),
      host(host),
      location(location),
      arguments_(std::move(arguments)),
      finder_(std::make_unique<ProcProcessFinder>()) {}

SetupSession::~SetupSession() {
    // The banks go before the engine handle they were opened on.
    sourceBank.reset();
    installedBank.reset();
    engine_.reset();
}

void SetupSession::setStatus(const std::string& text) {
    screen.status = text;
    refresh();
}

void SetupSession::takeSetupFolder() {
    state.setupDir = platform::withoutTrailingSeparators(location.setupFolder());
    // Linux paths have no drive letter: "<CurrentDrive>" expands to nothing.
    const std::string current = location.currentFolder();
    state.currentDrive =
        current.size() >= 2 && current[1] == ':' ? current.substr(0, 1) : std::string();
}

void SetupSession::takeFolders() {
    takeSetupFolder();
    state.installDir = installFolderFromBox();
    state.systemDir = platform.system->systemFolder();
    state.windowsDir = platform.system->windowsFolder();
}

bool SetupSession::takeStartMenuFolder() {
    Result<std::string> startMenu = platform.registry->readString(
        platform::RootKey::CurrentUser, platform::registry_keys::kShellFolders,
        platform::registry_keys::kStartMenuValue);
    if (!startMenu) {
        dialogs.error(texts::kRegistryNotOpened);
        return false;
    }
    state.startMenuDir = startMenu.value();
    return true;
}

std::string SetupSession::installFolderFromBox() const {
    return platform::withoutTrailingSeparators(ScriptPaths::native(screen.installFolder));
}

PlaceholderFolders SetupSession::placeholders() const {
    return {state.installDir, state.windowsDir, state.systemDir, state.currentDrive};
}

Status SetupSession::openScript(const std::string& path) {
    const std::string resolved = ScriptPaths::native(path);
    state.script = std::make_unique<SetupScript>(*platform.profiles, resolved,
                                                 platform.system->programFilesFolder() + "/");
    state.main = state.script->main();
    std::error_code error;
    if (!fs::is_regular_file(resolved, error))
        return Status::error(resolved + ": the setup script is missing");
    return Status::ok();
}

std::string SetupSession::mediumPath(const std::string& relative) const {
    return ScriptPaths::native(state.setupDir + relative);
}

std::string SetupSession::expandedPath(const std::string& value) const {
    return ScriptPaths::native(ExpandPlaceholders(value, placeholders()));
}

std::optional<int> SetupSession::count(ScriptCount which) {
    Result<int> n = script().count(which);
    if (!n) {
        report(n.status());
        return std::nullopt;
    }
    return n.value();
}

bool SetupSession::copy(const std::string& source, const std::string& target, bool filesOnly) {
    platform::CopyOptions options;
    options.filesOnly = filesOnly;
    const Status copied = platform.shell->copy(source, target, options);
    remember(target);
    refresh();
    if (!copied) {
        report(copied);
        return false;
    }
    return true;
}

bool SetupSession::replaceFile(const std::string& source, const std::string& target) {
    const std::string staged = target + ".zentrix-new";
    std::error_code error;
    fs::remove(staged, error);
    if (!copy(source, staged)) return false;
    fs::rename(staged, target, error);
    if (error) {
        fs::remove(staged, error);
        report(Status::error(target + ": cannot be replaced: " + error.message()));
        return false;
    }
    remember(target);
    return true;
}

void SetupSession::clearFolderAttributes(const std::string& folder) {
    const std::string resolved = ScriptPaths::native(folder);
    std::error_code error;
    if (!fs::is_directory(resolved, error)) return;
    report(platform.shell->makeFolderEntriesWritable(resolved));
}

void SetupSession::flushWritten() {
    remember(platform.paths.registryDir);
    report(written_.flush());
}

void SetupSession::report(const Status& status) {
    if (!status) dialogs.error(status.message());
}

std::optional<platform::ProcessId> SetupSession::launchProgram(const std::string& file,
                                                               const std::string& folder) {
    Result<std::optional<platform::ProcessId>> started =
        platform.shell->launchProgram(file, std::string(), folder);
    if (!started) {
        report(started.status());
        return std::nullopt;
    }
    return started.value();
}

xbase::Engine& SetupSession::bankEngine() {
    if (!engine_) {
        engine_ = std::make_unique<xbase::Engine>();
        engine_->options().reportOpenErrors = false;
        engine_->options().createSafety = false;
    }
    return *engine_;
}

base::MessageSink& SetupSession::bankMessages() {
    if (!bankMessages_) bankMessages_ = std::make_unique<DialogsMessageSink>(dialogs);
    return *bankMessages_;
}

}  // namespace zentrix::setup
