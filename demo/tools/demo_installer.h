#pragma once

// Installs the built demo tree (graphics/, database/, help/) into a folder of
// the platform root and writes the engine's registry entry for it, as the
// setup program will once it installs the demo itself. Files of an earlier
// install are overwritten; files the engine made there (the attempt history,
// its settings file) are kept.

#include <optional>
#include <string>

#include "platform/platform.h"

namespace zentrix::demo {

struct DemoInstallation {
    std::string folder;                            // HomeDir without its trailing separator
    std::string homeDir, graphicDir, databaseDir;  // as written to the registry
};

class DemoInstaller {
public:
    static constexpr const char* kDefaultFolderName = "Zentrix Demo";

    explicit DemoInstaller(platform::Platform& platform) : platform_(platform) {}

    // `folder` empty: the default folder below the platform's programs folder.
    // `program`, when given, is copied into the folder as "zentrix", with the
    // engine libraries beside it (libzentrix-*.so).
    platform::Result<DemoInstallation> install(
        const std::string& tree, const std::string& folder,
        const std::optional<std::string>& program = std::nullopt);

private:
    platform::Platform& platform_;
};

}  // namespace zentrix::demo
