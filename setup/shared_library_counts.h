#pragma once

// The shared-library counts: how many installed products use a library,
// kept as integer values named by the library's path under the registry's
// SharedDLLs key. The last product to go removes the value (and the library).

#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace zentrix::setup {

class SharedLibraryCounts {
public:
    explicit SharedLibraryCounts(platform::Registry& registry) : registry_(registry) {}

    // Raises the count by one, creating key and value when missing; gives the new count.
    platform::Result<uint32_t> raise(const std::string& libraryPath);
    // Lowers an existing count by one and gives what remains; 0 removes the
    // value. A missing count gives 0, as for a library nobody else counts.
    platform::Result<uint32_t> lower(const std::string& libraryPath);
    // The count, 0 when missing.
    uint32_t count(const std::string& libraryPath);

private:
    platform::Registry& registry_;
};

}  // namespace zentrix::setup
