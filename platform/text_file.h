#pragma once

// Whole-file reads and atomic whole-file writes. A write goes to a temporary
// file beside the target that is renamed over it, so readers and a crash see
// either the old or the new content, never a mixture.

#include <optional>
#include <string>

#include "platform/status.h"

namespace zentrix::platform {

// The file's bytes, nullopt when it does not exist.
Result<std::optional<std::string>> readWholeFile(const std::string& path);

// Replaces the file's content, creating missing parent folders.
Status writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace zentrix::platform
