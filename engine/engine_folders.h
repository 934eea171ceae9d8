#pragma once

// The three working folders of the engine, read once from the registry key
// the setup program writes. Each folder text ends with a path separator and
// file names are appended to it directly.

#include <optional>
#include <string>

namespace zentrix::platform {
class Registry;
}

namespace zentrix::engine {

inline constexpr const char* kEngineRegistryKey = "\\software\\Brenlo\\Quaylo\\Test Engine";
inline constexpr const char* kRegistryKeyMissingMessage =
    "Registry entry not found for the home directory";

struct EngineFolders {
    std::string HomeDir;
    std::string GraphicDir;
    std::string DatabaseDir;
};

// nullopt when the key cannot be opened; a missing or unreadable value reads
// as an empty folder.
std::optional<EngineFolders> ReadEngineFolders(platform::Registry& registry);

}  // namespace zentrix::engine
