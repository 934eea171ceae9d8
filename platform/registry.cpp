#include "platform/registry.h"

namespace zentrix::platform {

Result<std::string> Registry::readString(RootKey root, const std::string& path,
                                         const std::string& name) {
    Result<std::optional<RegistryValue>> found = value(root, path, name);
    if (!found) return found.status();
    if (!found.value() || !std::holds_alternative<std::string>(*found.value())) {
        return std::string();
    }
    return std::get<std::string>(*found.value());
}

Result<std::optional<uint32_t>> Registry::readInteger(RootKey root, const std::string& path,
                                                      const std::string& name) {
    Result<std::optional<RegistryValue>> found = value(root, path, name);
    if (!found) return found.status();
    if (!found.value() || !std::holds_alternative<uint32_t>(*found.value())) {
        return std::optional<uint32_t>();
    }
    return std::optional<uint32_t>(std::get<uint32_t>(*found.value()));
}

}  // namespace zentrix::platform
