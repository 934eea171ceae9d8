#include "setup/shared_library_counts.h"

namespace zentrix::setup {

namespace {

constexpr platform::RootKey kRoot = platform::RootKey::LocalMachine;
constexpr const char* kKey = platform::registry_keys::kSharedLibraries;

}  // namespace

platform::Result<uint32_t> SharedLibraryCounts::raise(const std::string& libraryPath) {
    ZX_TRY(registry_.createKey(kRoot, kKey));
    ZX_TRY_ASSIGN(auto current, registry_.readInteger(kRoot, kKey, libraryPath));
    const uint32_t next = current.value_or(0) + 1;
    ZX_TRY(registry_.setValue(kRoot, kKey, libraryPath, next));
    return next;
}

platform::Result<uint32_t> SharedLibraryCounts::lower(const std::string& libraryPath) {
    ZX_TRY(registry_.createKey(kRoot, kKey));
    ZX_TRY_ASSIGN(auto current, registry_.readInteger(kRoot, kKey, libraryPath));
    if (!current) return uint32_t(0);
    const uint32_t remaining = *current > 0 ? *current - 1 : 0;
    if (remaining == 0) {
        ZX_TRY(registry_.deleteValue(kRoot, kKey, libraryPath));
    } else {
        ZX_TRY(registry_.setValue(kRoot, kKey, libraryPath, remaining));
    }
    return remaining;
}

uint32_t SharedLibraryCounts::count(const std::string& libraryPath) {
    platform::Result<std::optional<uint32_t>> current =
        registry_.readInteger(kRoot, kKey, libraryPath);
    return current ? current.value().value_or(0) : 0;
}

}  // namespace zentrix::setup
