#pragma once

// A file system that passes everything to another one and times how long
// each lock request waited before it was granted (or refused), for the
// many-seats run's "longest wait for a lock", and how long flushes took.

#include <atomic>
#include <memory>

#include "xbase/forwarding_file_system.h"

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

class TimedLockFileSystem : public xbase::ForwardingFileSystem {
public:
    TimedLockFileSystem(std::shared_ptr<xbase::FileSystem> inner, std::shared_ptr<LockWaits> waits)
        : ForwardingFileSystem(std::move(inner)), waits_(std::move(waits)) {}

protected:
    std::unique_ptr<xbase::File> wrap(std::unique_ptr<xbase::File> file) override;

private:
    std::shared_ptr<LockWaits> waits_;
};

}  // namespace zentrix::bench
