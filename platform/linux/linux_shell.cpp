#include "platform/linux/linux_shell.h"

#include <unistd.h>

#include <QProcess>
#include <QString>
#include <filesystem>

#include "platform/linux/desktop_entry.h"
#include "platform/text_file.h"

namespace zentrix::platform {
namespace {

namespace fs = std::filesystem;

bool isExecutableFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> splitParameters(const std::string& parameters) {
    std::vector<std::string> arguments;
    for (const QString& argument : QProcess::splitCommand(QString::fromStdString(parameters))) {
        arguments.push_back(argument.toStdString());
    }
    return arguments;
}

}  // namespace

DeletionGuard makeDeletionGuard(const PlatformPaths& paths) {
    return DeletionGuard({
        {"/", "the file system root"},
        {paths.homeDir, "the user's home folder"},
        {paths.root, "the platform root"},
        {paths.registryDir, "the registry folder"},
        {paths.windowsDir, "the Windows folder"},
        {paths.systemDir, "the system folder"},
        {paths.startMenuDir, "the Start Menu folder"},
        {paths.trashDir, "the trash"},
        {paths.tempDir, "the temporary folder"},
        {paths.programFilesDir, "the programs folder"},
    });
}

LinuxShell::LinuxShell(const PlatformPaths& paths, Processes& processes, Opener opener)
    : guard_(makeDeletionGuard(paths)),
      trash_(paths.trashDir),
      processes_(processes),
      opener_(opener ? std::move(opener) : Opener(&LinuxShell::openWithXdgOpen)) {}

Status LinuxShell::openWithXdgOpen(const std::string& fileOrAddress) {
    if (!QProcess::startDetached("xdg-open", {QString::fromStdString(fileOrAddress)})) {
        return Status::error(fileOrAddress + ": xdg-open could not be started");
    }
    return Status::ok();
}

Status LinuxShell::copy(const std::string& source, const std::string& target,
                        const CopyOptions& options) {
    return copier_.copy(source, target, options);
}

Status LinuxShell::moveToTrash(const std::string& path) {
    ZX_TRY(guard_.check(path));
    Result<std::string> moved = trash_.moveToTrash(path);
    return moved ? Status::ok() : moved.status();
}

Status LinuxShell::deleteFile(const std::string& path) {
    ZX_TRY(guard_.check(path));
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status)) return Status::error(path + ": no such file");
    if (fs::is_directory(status)) return Status::error(path + ": is a folder, not a file");
    if (!fs::remove(path, error))
        return Status::error(path + ": cannot delete: " + error.message());
    return Status::ok();
}

Status LinuxShell::makeWritable(const std::string& path) {
    std::error_code error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    error);
    if (error) return Status::error(path + ": cannot make writable: " + error.message());
    return Status::ok();
}

Status LinuxShell::makeFolderEntriesWritable(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    if (error) return Status::error(folder + ": cannot list folder: " + error.message());
    Status result;
    for (const fs::path& entry : entries) {
        Status made = makeWritable(entry.string());
        if (!made && result) result = made;  // the first failure; the others are still tried
    }
    return result;
}

Status LinuxShell::open(const std::string& fileOrAddress) {
    if (fileOrAddress.empty()) return Status::error("open: nothing to open");
    return opener_(fileOrAddress);
}

Result<std::optional<ProcessId>> LinuxShell::launchProgram(const std::string& file,
                                                           const std::string& parameters,
                                                           const std::string& workingDir) {
    if (file.empty()) return Status::error("launch: no program named");
    std::string resolved = file;
    if (fs::path(file).is_relative() && !workingDir.empty())
        resolved = (fs::path(workingDir) / file).string();
    std::error_code error;
    if (isExecutableFile(resolved)) {
        ZX_TRY_ASSIGN(auto started,
                      processes_.start({resolved, splitParameters(parameters), workingDir}));
        return std::optional<ProcessId>(started);
    }
    if (fs::exists(resolved, error)) {
        ZX_TRY(open(resolved));
        return std::optional<ProcessId>();
    }
    return Status::error(resolved + ": no such program or document");
}

Result<std::string> LinuxShell::createShortcut(const std::string& linkPath,
                                               const ShortcutSpec& shortcut) {
    const std::string entryPath = DesktopEntry::entryPath(linkPath);
    const std::string name = fs::path(linkPath).stem().string();
    const bool throughOpener = !isExecutableFile(shortcut.target);
    ZX_TRY(writeFileAtomically(
        entryPath,
        DesktopEntry::text(name, shortcut, splitParameters(shortcut.arguments), throughOpener)));
    return entryPath;
}

Status LinuxShell::deleteShortcut(const std::string& linkPath) {
    return deleteFile(DesktopEntry::entryPath(linkPath));
}

}  // namespace zentrix::platform
