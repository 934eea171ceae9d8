#include "bench/stress/timed_lock_file_system.h"

#include <chrono>

namespace zentrix::bench {

namespace {

long long microsecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

class TimedLockFile : public xbase::ForwardingFile {
public:
    TimedLockFile(std::unique_ptr<xbase::File> inner, std::shared_ptr<LockWaits> waits)
        : ForwardingFile(std::move(inner)), waits_(std::move(waits)) {}

    xbase::Status sync() override {
        const auto start = std::chrono::steady_clock::now();
        xbase::Status status = ForwardingFile::sync();
        waits_->syncs += 1;
        waits_->syncMicroseconds += microsecondsSince(start);
        return status;
    }
    xbase::Status lock(uint64_t offset, uint64_t length, bool exclusive) override {
        const auto start = std::chrono::steady_clock::now();
        xbase::Status status = ForwardingFile::lock(offset, length, exclusive);
        const long long waited = microsecondsSince(start);
        waits_->count += 1;
        waits_->totalMicroseconds += waited;
        if (!status) waits_->refused += 1;
        long long longest = waits_->longestMicroseconds.load();
        while (waited > longest &&
               !waits_->longestMicroseconds.compare_exchange_weak(longest, waited)) {
        }
        return status;
    }

private:
    std::shared_ptr<LockWaits> waits_;
};

}  // namespace

std::unique_ptr<xbase::File> TimedLockFileSystem::wrap(std::unique_ptr<xbase::File> file) {
    return std::make_unique<TimedLockFile>(std::move(file), waits_);
}

}  // namespace zentrix::bench
