#include "engine/engine_folders.h"

#include "platform/registry.h"

namespace zentrix::engine {
namespace {

std::string readFolder(platform::Registry& registry, const char* name) {
    auto value = registry.readString(platform::RootKey::LocalMachine, kEngineRegistryKey, name);
    return value ? value.value() : std::string();
}

}  // namespace

std::optional<EngineFolders> ReadEngineFolders(platform::Registry& registry) {
    if (!registry.keyExists(platform::RootKey::LocalMachine, kEngineRegistryKey))
        return std::nullopt;
    EngineFolders folders;
    folders.HomeDir = readFolder(registry, "HomeDir");
    folders.GraphicDir = readFolder(registry, "GraphicDir");
    folders.DatabaseDir = readFolder(registry, "DatabaseDir");
    return folders;
}

}  // namespace zentrix::engine
