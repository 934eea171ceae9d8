#pragma once

// Simulation code reports errors as values, like the storage layer; the type is
// plain standard C++ and shared rather than copied.
#include "base/status.h"

namespace zentrix::simulation {
using base::Result;
using base::Status;
}  // namespace zentrix::simulation
