#include "demo/tools/demo_installer.h"

#include <filesystem>
#include <system_error>

#include "engine/engine_folders.h"

namespace fs = std::filesystem;

namespace zentrix::demo {

using platform::Result;
using platform::Status;

namespace {

constexpr const char* kTreeFolders[] = {"graphics", "database", "help"};

Status copyTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (ec) return Status::error(to.string() + ": cannot create the folder: " + ec.message());
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec)
        return Status::error(from.string() + ": cannot be copied to " + to.string() + ": " +
                             ec.message());
    return Status::ok();
}

}  // namespace

Result<DemoInstallation> DemoInstaller::install(const std::string& tree, const std::string& folder,
                                                const std::optional<std::string>& program) {
    for (const char* part : kTreeFolders) {
        if (!fs::is_directory(fs::path(tree) / part))
            return Status::error(tree + ": not a built demo tree (" + part + "/ is missing)");
    }
    DemoInstallation installation;
    installation.folder =
        folder.empty() ? (fs::path(platform_.paths.programFilesDir) / kDefaultFolderName).string()
                       : folder;
    const fs::path home(installation.folder);
    for (const char* part : kTreeFolders) ZX_TRY(copyTree(fs::path(tree) / part, home / part));
    if (program) {
        std::error_code ec;
        fs::copy_file(*program, home / "zentrix", fs::copy_options::overwrite_existing, ec);
        if (ec)
            return Status::error(*program + ": cannot be copied to " + home.string() + ": " +
                                 ec.message());
        // The program loads its xBase engine library from its own folder.
        for (const fs::directory_entry& entry :
             fs::directory_iterator(fs::path(*program).parent_path(), ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("libzentrix", 0) != 0 || entry.path().extension() != ".so") continue;
            fs::copy_file(entry.path(), home / name, fs::copy_options::overwrite_existing, ec);
            if (ec)
                return Status::error(entry.path().string() + ": cannot be copied to " +
                                     home.string() + ": " + ec.message());
        }
    }

    // The engine appends file names to these directly: each ends with a separator.
    installation.homeDir = home.string() + "/";
    installation.graphicDir = (home / "graphics").string() + "/";
    installation.databaseDir = (home / "database").string() + "/";
    platform::Registry& registry = *platform_.registry;
    const auto root = platform::RootKey::LocalMachine;
    ZX_TRY(registry.createKey(root, engine::kEngineRegistryKey));
    ZX_TRY(registry.setValue(root, engine::kEngineRegistryKey, "HomeDir", installation.homeDir));
    ZX_TRY(
        registry.setValue(root, engine::kEngineRegistryKey, "GraphicDir", installation.graphicDir));
    ZX_TRY(registry.setValue(root, engine::kEngineRegistryKey, "DatabaseDir",
                             installation.databaseDir));
    return installation;
}

}  // namespace zentrix::demo
