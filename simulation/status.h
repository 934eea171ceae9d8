#pragma once

// Simulation code reports errors as values, like the storage layer; the type is
// plain standard C++ and shared rather than copied.
#include "xbase/status.h"

namespace zentrix::simulation {
using Status = zentrix::xbase::Status;
template <typename T>
using Result = zentrix::xbase::Result<T>;
}  // namespace zentrix::simulation
