#pragma once

// All file access of the engine goes through these two small interfaces, so
// tests can cut a write sequence at any step (a simulated crash) or fail a
// read, and the engine never touches a file any other way.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "xbase/status.h"

namespace zentrix::xbase {

class File {
public:
    virtual ~File() = default;

    // Reads exactly n bytes at offset; a short read is an error naming the file.
    virtual Status readAt(uint64_t offset, void* buffer, size_t n) = 0;
    // Reads up to n bytes at offset; gives how many were read (0 at the end).
    virtual Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) = 0;
    virtual Status writeAt(uint64_t offset, const void* data, size_t n) = 0;
    virtual Result<uint64_t> size() = 0;
    virtual Status truncate(uint64_t size) = 0;
    virtual Status sync() = 0;

    // Advisory byte-range locks between processes (fcntl on POSIX). Blocking
    // with a bounded wait; `exclusive` false takes a shared lock.
    virtual Status lock(uint64_t offset, uint64_t length, bool exclusive) = 0;
    virtual Status unlock(uint64_t offset, uint64_t length) = 0;

    virtual const std::string& path() const = 0;
};

enum class OpenMode { ReadWrite, ReadOnly };

// Held while alive: see FileSystem::lockFolder.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The process's real file system.
    static std::shared_ptr<FileSystem> posix();

    virtual Result<std::unique_ptr<File>> open(const std::string& path, OpenMode mode) = 0;
    // Creates or truncates.
    virtual Result<std::unique_ptr<File>> create(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual Status rename(const std::string& from, const std::string& to) = 0;

    // Takes the folder's lock for creating tables in it, waiting as long as
    // a record lock waits: seats that find a table missing at the same moment
    // create it one after the other, and the later ones find it made. A file
    // system that only one process uses (a test's, a fuzzer's) needs none.
    virtual Result<std::unique_ptr<FolderLock>> lockFolder(const std::string& folder) {
        static_cast<void>(folder);
        return std::make_unique<FolderLock>();
    }

    // Finds `path` on a file system that distinguishes case: the folder part
    // is taken as given, the file name is matched without regard to case.
    // Gives the name as it stands on disk, or nothing when there is none.
    virtual std::optional<std::string> resolveCaseInsensitive(const std::string& path) = 0;
};

}  // namespace zentrix::xbase
