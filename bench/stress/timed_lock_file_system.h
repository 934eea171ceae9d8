#pragma once

// A file system that passes everything to another one and times how long
// each lock request waited before it was granted (or refused), for the
// many-seats run's "longest wait for a lock", and how long flushes took.

#include <atomic>
#include <chrono>
#include <memory>

#include "xbase/file.h"

namespace zentrix::bench {

struct LockWaits {
    std::atomic<long long> longestMicroseconds{0};
    std::atomic<long long> totalMicroseconds{0};
    std::atomic<long long> count{0};
    std::atomic<long long> refused{0};
    // Flushes to disk (sync) and the time they took.
    std::atomic<long long> syncs{0};
    std::atomic<long long> syncMicroseconds{0};
};

class TimedLockFileSystem : public xbase::FileSystem {
public:
    TimedLockFileSystem(std::shared_ptr<xbase::FileSystem> inner, std::shared_ptr<LockWaits> waits)
        : inner_(std::move(inner)), waits_(std::move(waits)) {}

    xbase::Result<std::unique_ptr<xbase::File>> open(const std::string& path,
                                                     xbase::OpenMode mode) override;
    xbase::Result<std::unique_ptr<xbase::File>> create(const std::string& path) override;
    bool exists(const std::string& path) override { return inner_->exists(path); }
    xbase::Status remove(const std::string& path) override { return inner_->remove(path); }
    xbase::Status rename(const std::string& from, const std::string& to) override {
        return inner_->rename(from, to);
    }
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override {
        return inner_->resolveCaseInsensitive(path);
    }

private:
    xbase::Result<std::unique_ptr<xbase::File>> wrap(
        xbase::Result<std::unique_ptr<xbase::File>> file);

    std::shared_ptr<xbase::FileSystem> inner_;
    std::shared_ptr<LockWaits> waits_;
};

}  // namespace zentrix::bench
