#include "platform/file_registry.h"
#include "platform/linux/dl_library_loader.h"
#include "platform/linux/linux_shell.h"
#include "platform/linux/linux_system.h"
#include "platform/linux/posix_processes.h"
#include "platform/platform.h"

namespace zentrix::platform {

Result<std::unique_ptr<Platform>> createPlatform(const PlatformPaths& paths,
                                                 PlatformOptions options) {
    if (paths.root.empty()) return Status::error("platform: no platform root");
    if (!paths.createFolders())
        return Status::error(paths.root + ": cannot create the platform folders");
    auto platform = std::make_unique<Platform>();
    platform->paths = paths;
    platform->processes = std::make_unique<PosixProcesses>();
    // The Start Menu value of the shell-folders key is the real applications
    // folder, whatever was stored there.
    platform->registry = std::make_unique<FileRegistry>(
        paths.registryDir,
        std::vector<FileRegistry::FixedValue>{{RootKey::CurrentUser, registry_keys::kShellFolders,
                                               registry_keys::kStartMenuValue,
                                               RegistryValue(paths.startMenuDir)}});
    platform->profiles = std::make_unique<TextProfileStore>();
    platform->shell =
        std::make_unique<LinuxShell>(paths, *platform->processes, std::move(options.opener));
    platform->system = std::make_unique<LinuxSystem>(paths);
    platform->libraries = std::make_unique<DlLibraryLoader>();
    return platform;
}

}  // namespace zentrix::platform
