#pragma once

// Refuses deletions of places whose loss would be a disaster: the file
// system root, the user's home folder, the platform root and its own
// folders, and every folder above any of them. Script paths that expand to
// "/" or to a system folder are stopped here, whatever the caller asks.

#include <string>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace zentrix::platform {

class DeletionGuard {
public:
    struct ProtectedFolder {
        std::string path;
        std::string label;  // "the user's home folder", for messages
    };

    explicit DeletionGuard(std::vector<ProtectedFolder> folders);

    // Ok when `path` may be deleted. Both the path as written and the path
    // with its links resolved are checked.
    Status check(const std::string& path) const;

    // The absolute path as written and, when it differs, with its links
    // resolved; each without trailing separators.
    static std::vector<std::string> spellings(const std::string& path);

private:
    std::vector<ProtectedFolder> folders_;
};

}  // namespace zentrix::platform
