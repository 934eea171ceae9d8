#pragma once

// The shell on a Linux desktop: freedesktop.org trash and desktop entries,
// xdg-open as the default handler.

#include <functional>
#include <string>

#include "platform/deletion_guard.h"
#include "platform/file_copier.h"
#include "platform/linux/trash_can.h"
#include "platform/platform_paths.h"
#include "platform/processes.h"
#include "platform/shell.h"

namespace zentrix::platform {

class LinuxShell : public Shell {
public:
    // Hands a file or address to the desktop's opener. Tests pass a recorder
    // so that nothing is launched.
    using Opener = std::function<Status(const std::string& fileOrAddress)>;

    // `processes` must outlive the shell.
    LinuxShell(const PlatformPaths& paths, Processes& processes, Opener opener);

    // Starts xdg-open detached.
    static Status openWithXdgOpen(const std::string& fileOrAddress);

    Status copy(const std::string& source, const std::string& target,
                const CopyOptions& options) override;
    Status moveToTrash(const std::string& path) override;
    Status deleteFile(const std::string& path) override;
    Status makeWritable(const std::string& path) override;
    Status makeFolderEntriesWritable(const std::string& folder) override;
    Status open(const std::string& fileOrAddress) override;
    Result<std::optional<ProcessId>> launchProgram(const std::string& file,
                                                   const std::string& parameters,
                                                   const std::string& workingDir) override;
    Result<std::string> createShortcut(const std::string& linkPath,
                                       const ShortcutSpec& shortcut) override;
    Status deleteShortcut(const std::string& linkPath) override;

private:
    DeletionGuard guard_;
    TrashCan trash_;
    FileCopier copier_;
    Processes& processes_;
    Opener opener_;
};

// The places of a platform layout that deletions must never remove.
DeletionGuard makeDeletionGuard(const PlatformPaths& paths);

}  // namespace zentrix::platform
