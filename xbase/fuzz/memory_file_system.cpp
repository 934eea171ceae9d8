#include "memory_file_system.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/ascii_text.h"

namespace zentrix::xbase::fuzz {
namespace {

class MemoryFile : public File {
public:
    MemoryFile(std::shared_ptr<std::string> bytes, std::string path)
        : bytes_(std::move(bytes)), path_(std::move(path)) {}
    Status readAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset > bytes_->size() || n > bytes_->size() - offset)
            return Status::error(path_ + ": short read");
        std::memcpy(buffer, bytes_->data() + offset, n);
        return Status::ok();
    }
    Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset >= bytes_->size()) return size_t(0);
        const size_t got = std::min<size_t>(n, bytes_->size() - size_t(offset));
        std::memcpy(buffer, bytes_->data() + offset, got);
        return got;
    }
    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        if (offset + n > (64u << 20)) return Status::error(path_ + ": too large");
        if (bytes_->size() < offset + n) bytes_->resize(size_t(offset + n), '\0');
        std::memcpy(bytes_->data() + offset, data, n);
        return Status::ok();
    }
    Result<uint64_t> size() override { return uint64_t(bytes_->size()); }
    Status truncate(uint64_t size) override {
        if (size > (64u << 20)) return Status::error(path_ + ": too large");
        bytes_->resize(size_t(size), '\0');
        return Status::ok();
    }
    Status sync() override { return Status::ok(); }
    Status lock(uint64_t, uint64_t, bool) override { return Status::ok(); }
    Status unlock(uint64_t, uint64_t) override { return Status::ok(); }
    const std::string& path() const override { return path_; }

private:
    std::shared_ptr<std::string> bytes_;
    std::string path_;
};

}  // namespace

void MemoryFileSystem::put(const std::string& path, std::string bytes) {
    files_[path] = std::make_shared<std::string>(std::move(bytes));
}

Result<std::unique_ptr<File>> MemoryFileSystem::open(const std::string& path, OpenMode) {
    auto it = files_.find(path);
    if (it == files_.end()) return Status::error(path + ": no such file");
    return std::unique_ptr<File>(std::make_unique<MemoryFile>(it->second, path));
}

Result<std::unique_ptr<File>> MemoryFileSystem::create(const std::string& path) {
    put(path, "");
    return open(path, OpenMode::ReadWrite);
}

Status MemoryFileSystem::remove(const std::string& path) {
    files_.erase(path);
    return Status::ok();
}

Status MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    auto it = files_.find(from);
    if (it == files_.end()) return Status::error(from + ": no such file");
    files_[to] = it->second;
    files_.erase(from);
    return Status::ok();
}

std::optional<std::string> MemoryFileSystem::resolveCaseInsensitive(const std::string& path) {
    for (const auto& [name, bytes] : files_) {
        if (base::ascii::equalsIgnoringCase(name, path)) return name;
    }
    return std::nullopt;
}

}  // namespace zentrix::xbase::fuzz
