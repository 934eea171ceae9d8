#include "platform/root_key.h"

#include <array>
#include <utility>

#include "base/ascii_text.h"

namespace zentrix::platform {
namespace {

constexpr std::array<std::pair<RootKey, std::string_view>, 7> kRootKeys = {{
    {RootKey::ClassesRoot, "HKEY_CLASSES_ROOT"},
    {RootKey::CurrentUser, "HKEY_CURRENT_USER"},
    {RootKey::LocalMachine, "HKEY_LOCAL_MACHINE"},
    {RootKey::Users, "HKEY_USERS"},
    {RootKey::PerformanceData, "HKEY_PERFORMANCE_DATA"},
    {RootKey::CurrentConfig, "HKEY_CURRENT_CONFIG"},
    {RootKey::DynData, "HKEY_DYN_DATA"},
}};

}  // namespace

std::optional<RootKey> RootKeyFromName(std::string_view name) {
    for (const auto& [root, rootName] : kRootKeys) {
        if (base::ascii::equalsIgnoringCase(name, rootName)) return root;
    }
    return std::nullopt;
}

std::string_view rootKeyName(RootKey root) {
    for (const auto& [key, rootName] : kRootKeys) {
        if (key == root) return rootName;
    }
    return {};
}

}  // namespace zentrix::platform
