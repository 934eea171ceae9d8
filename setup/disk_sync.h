#pragma once

// The end of an install makes what it wrote durable: every file and folder
// it names (folders with everything in them) and the folders holding them
// are flushed to disk, so a power cut right after "Completed the
// installation." cannot leave empty or half-written program files behind.

#include <string>
#include <vector>

#include "platform/status.h"

namespace zentrix::setup {

class DiskSync {
public:
    // Remembers a written file or folder; missing ones are skipped at flush.
    void add(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }

    // Flushes everything remembered. The first failure is reported; the
    // rest is still flushed.
    platform::Status flush() const;

    // Flushes one file, or one folder with everything below it.
    static platform::Status flushTree(const std::string& path);

private:
    std::vector<std::string> paths_;
};

}  // namespace zentrix::setup
