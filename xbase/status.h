#pragma once

// The storage layer reports its errors as base's Status and Result<T>: a
// message naming the file and the fault. Nothing in xbase throws across its
// interface.

#include "base/status.h"

namespace zentrix::xbase {
using base::Result;
using base::Status;
}  // namespace zentrix::xbase
