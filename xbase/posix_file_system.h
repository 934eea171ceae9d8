#pragma once

// The real file system: pread/pwrite on file descriptors, fcntl byte-range
// locks owned by the open file (Linux open-file-description locks), so each
// table handle is its own lock owner.

#include "xbase/file.h"

namespace zentrix::xbase {

class PosixFileSystem : public FileSystem {
public:
    Result<std::unique_ptr<File>> open(const std::string& path, OpenMode mode) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    bool exists(const std::string& path) override;
    Status remove(const std::string& path) override;
    Status rename(const std::string& from, const std::string& to) override;
    Result<std::unique_ptr<FolderLock>> lockFolder(const std::string& folder) override;
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override;
};

}  // namespace zentrix::xbase
