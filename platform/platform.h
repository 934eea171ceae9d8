#pragma once

// The platform services of one platform root, made together. Callers hold a
// Platform and use its services through their interfaces only; which
// implementations stand behind them depends on the operating system.

#include <memory>

#include "platform/library_loader.h"
#include "platform/platform_paths.h"
#include "platform/processes.h"
#include "platform/profile_store.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace zentrix::platform {

struct PlatformOptions {
    // Replaces the desktop's default handler (tests record instead of opening).
    std::function<Status(const std::string& fileOrAddress)> opener;
};

struct Platform {
    PlatformPaths paths;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<ProfileStore> profiles;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<System> system;
    std::unique_ptr<LibraryLoader> libraries;
};

// Makes the services for the given layout and creates its folders.
Result<std::unique_ptr<Platform>> createPlatform(const PlatformPaths& paths,
                                                 PlatformOptions options = {});

}  // namespace zentrix::platform
