#pragma once

// The platform layer reports failures the same way as the storage layer:
// a Status or a Result<T> whose message names the file or key and the fault.

#include "base/status.h"

namespace zentrix::platform {

using base::Result;
using base::Status;

}  // namespace zentrix::platform
