#pragma once

// Files held in memory, so a fuzzer can hand the engine a table without
// touching the disk. Locks always succeed: there is only one process.

#include <map>
#include <memory>
#include <string>

#include "xbase/file.h"

namespace zentrix::xbase::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    void put(const std::string& path, std::string bytes);

    Result<std::unique_ptr<File>> open(const std::string& path, OpenMode mode) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    bool exists(const std::string& path) override { return files_.count(path) > 0; }
    Status remove(const std::string& path) override;
    Status rename(const std::string& from, const std::string& to) override;
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override;

private:
    std::map<std::string, std::shared_ptr<std::string>> files_;
};

}  // namespace zentrix::xbase::fuzz
