#pragma once

// Copies in the manner of the Windows shell's copy operation with its
// no-confirmation flags: missing target folders are created, existing files
// are overwritten, folders merge. See Shell::copy for where things land.

#include <string>

#include "platform/shell.h"
#include "platform/status.h"

namespace zentrix::platform {

class FileCopier {
public:
    Status copy(const std::string& source, const std::string& target,
                const CopyOptions& options) const;

    // Windows wildcard match without regard to case: '*' any run, '?' one
    // character, and "*.*" every name, with or without a dot.
    static bool matchesWildcard(const std::string& pattern, const std::string& name);
};

}  // namespace zentrix::platform
