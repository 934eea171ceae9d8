#pragma once

// The desktop trash of the freedesktop.org trash specification: a trashed
// item moves to <trash>/files/<name> and <trash>/info/<name>.trashinfo
// records where it came from and when, so that a file manager can restore it.

#include <string>

#include "platform/status.h"

namespace zentrix::platform {

class TrashCan {
public:
    explicit TrashCan(std::string trashDir);

    // Moves the file or folder (with everything in it) into the trash and
    // gives the name it has there. Callers check protected places first.
    Result<std::string> moveToTrash(const std::string& path) const;

    std::string filesDir() const { return trashDir_ + "/files"; }
    std::string infoDir() const { return trashDir_ + "/info"; }

    // The text of a .trashinfo file for an absolute path and a local time
    // "YYYY-MM-DDThh:mm:ss".
    static std::string trashInfoText(const std::string& absolutePath,
                                     const std::string& deletionDate);

private:
    std::string trashDir_;
};

}  // namespace zentrix::platform
