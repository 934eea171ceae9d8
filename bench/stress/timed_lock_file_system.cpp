#include "bench/stress/timed_lock_file_system.h"

namespace zentrix::bench {

namespace {

class TimedLockFile : public xbase::File {
public:
    TimedLockFile(std::unique_ptr<xbase::File> inner, std::shared_ptr<LockWaits> waits)
        : inner_(std::move(inner)), waits_(std::move(waits)) {}

    xbase::Status readAt(uint64_t offset, void* buffer, size_t n) override {
        return inner_->readAt(offset, buffer, n);
    }
    xbase::Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        return inner_->readSomeAt(offset, buffer, n);
    }
    xbase::Status writeAt(uint64_t offset, const void* data, size_t n) override {
        return inner_->writeAt(offset, data, n);
    }
    xbase::Result<uint64_t> size() override { return inner_->size(); }
    xbase::Status truncate(uint64_t size) override { return inner_->truncate(size); }
    xbase::Status sync() override {
        const auto start = std::chrono::steady_clock::now();
        xbase::Status status = inner_->sync();
        waits_->syncs += 1;
        waits_->syncMicroseconds += std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count();
        return status;
    }
    xbase::Status lock(uint64_t offset, uint64_t length, bool exclusive) override {
        const auto start = std::chrono::steady_clock::now();
        xbase::Status status = inner_->lock(offset, length, exclusive);
        const long long waited = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
        waits_->count += 1;
        waits_->totalMicroseconds += waited;
        if (!status) waits_->refused += 1;
        long long longest = waits_->longestMicroseconds.load();
        while (waited > longest &&
               !waits_->longestMicroseconds.compare_exchange_weak(longest, waited)) {
        }
        return status;
    }
    xbase::Status unlock(uint64_t offset, uint64_t length) override {
        return inner_->unlock(offset, length);
    }
    const std::string& path() const override { return inner_->path(); }

private:
    std::unique_ptr<xbase::File> inner_;
    std::shared_ptr<LockWaits> waits_;
};

}  // namespace

xbase::Result<std::unique_ptr<xbase::File>> TimedLockFileSystem::wrap(
    xbase::Result<std::unique_ptr<xbase::File>> file) {
    if (!file) return file.status();
    return std::unique_ptr<xbase::File>(
        std::make_unique<TimedLockFile>(std::move(file.value()), waits_));
}

xbase::Result<std::unique_ptr<xbase::File>> TimedLockFileSystem::open(const std::string& path,
                                                                      xbase::OpenMode mode) {
    return wrap(inner_->open(path, mode));
}

xbase::Result<std::unique_ptr<xbase::File>> TimedLockFileSystem::create(const std::string& path) {
    return wrap(inner_->create(path));
}

}  // namespace zentrix::bench
