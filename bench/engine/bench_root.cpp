#include "bench_root.h"

#include <filesystem>

#include "engine/engine_folders.h"

namespace zentrix::bench {

BenchRoot MakeBenchRoot(const std::string& root, const std::string& databaseFolder) {
    BenchRoot made;
    made.root = root;
    std::filesystem::create_directories(root + "/graphics");
    made.services =
        std::move(platform::createPlatform(platform::PlatformPaths::underRoot(root)).value());
    platform::Registry& registry = *made.services->registry;
    const auto machine = platform::RootKey::LocalMachine;
    (void)registry.createKey(machine, engine::kEngineRegistryKey);
    (void)registry.setValue(machine, engine::kEngineRegistryKey, "HomeDir", root + "/");
    (void)registry.setValue(machine, engine::kEngineRegistryKey, "GraphicDir", root + "/graphics/");
    (void)registry.setValue(machine, engine::kEngineRegistryKey, "DatabaseDir", databaseFolder);
    return made;
}

}  // namespace zentrix::bench
