#include "platform/registry.h"

namespace zentrix::platform {

Result<std::string> Registry::readString(RootKey root, const std::string& path,
                                         const std::string& name) {
    ZX_TRY_ASSIGN(auto found, value(root, path, name));
    if (!found || !std::holds_alternative<std::string>(*found)) {
        return std::string();
    }
    return std::get<std::string>(*found);
}

Result<std::optional<uint32_t>> Registry::readInteger(RootKey root, const std::string& path,
                                                      const std::string& name) {
    ZX_TRY_ASSIGN(auto found, value(root, path, name));
    if (!found || !std::holds_alternative<uint32_t>(*found)) {
        return std::optional<uint32_t>();
    }
    return std::optional<uint32_t>(std::get<uint32_t>(*found));
}

}  // namespace zentrix::platform
