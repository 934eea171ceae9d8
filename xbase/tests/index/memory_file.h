#pragma once

// An index file held in memory, for tests and the fuzz harness. Handles made
// from one MemoryFile share its bytes, as two processes share a file.

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "xbase/file.h"

namespace zentrix::xbase::testing {

class MemoryFile : public File {
public:
    explicit MemoryFile(std::string path, std::vector<uint8_t> bytes = {})
        : path_(std::move(path)),
          bytes_(std::make_shared<std::vector<uint8_t>>(std::move(bytes))) {}

    static std::unique_ptr<MemoryFile> load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        return std::make_unique<MemoryFile>(path, std::move(bytes));
    }

    // Another handle on the same bytes.
    std::unique_ptr<MemoryFile> share() const {
        auto other = std::make_unique<MemoryFile>(path_);
        other->bytes_ = bytes_;
        return other;
    }

    std::vector<uint8_t>& bytes() { return *bytes_; }
    int writes() const { return writes_; }

    Status readAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset > bytes_->size() || n > bytes_->size() - offset) {
            return Status::error(path_ + ": short read of " + std::to_string(n) + " bytes at " +
                                 std::to_string(offset));
        }
        std::memcpy(buffer, bytes_->data() + offset, n);
        return Status::ok();
    }
    Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset >= bytes_->size()) return size_t{0};
        const size_t got = std::min<size_t>(n, bytes_->size() - offset);
        std::memcpy(buffer, bytes_->data() + offset, got);
        return got;
    }
    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        if (offset + n > (1ull << 32)) return Status::error(path_ + ": write beyond 4 GB");
        if (bytes_->size() < offset + n) bytes_->resize(offset + n, 0);
        std::memcpy(bytes_->data() + offset, data, n);
        ++writes_;
        return Status::ok();
    }
    Result<uint64_t> size() override { return static_cast<uint64_t>(bytes_->size()); }
    Status truncate(uint64_t size) override {
        bytes_->resize(size);
        return Status::ok();
    }
    Status sync() override { return Status::ok(); }
    Status lock(uint64_t, uint64_t, bool) override { return Status::ok(); }
    Status unlock(uint64_t, uint64_t) override { return Status::ok(); }
    const std::string& path() const override { return path_; }

private:
    std::string path_;
    std::shared_ptr<std::vector<uint8_t>> bytes_;
    int writes_ = 0;
};

}  // namespace zentrix::xbase::testing
