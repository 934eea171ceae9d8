#pragma once

// The predefined registry root keys, named as setup scripts name them.

#include <optional>
#include <string>
#include <string_view>

namespace zentrix::platform {

enum class RootKey {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    PerformanceData,
    CurrentConfig,
    DynData,
};

// "HKEY_LOCAL_MACHINE" and the six other names, compared without regard to
// case; any other name selects no root key.
std::optional<RootKey> RootKeyFromName(std::string_view name);

// The canonical upper-case name, "HKEY_CURRENT_USER" for RootKey::CurrentUser.
std::string_view rootKeyName(RootKey root);

}  // namespace zentrix::platform
