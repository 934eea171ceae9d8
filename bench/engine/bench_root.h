#pragma once

// A platform root for an engine benchmark: its registry names the bank's
// database folder and an empty graphics folder below the root.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace zentrix::bench {

struct BenchRoot {
    std::string root;
    std::unique_ptr<platform::Platform> services;
};

BenchRoot MakeBenchRoot(const std::string& root, const std::string& databaseFolder);

}  // namespace zentrix::bench
