#pragma once

// A File and a FileSystem that pass every call on to another one: the base
// of decorators that change one thing and keep the rest (a benchmark that
// skips flushes, a stress run that times its lock waits).

#include <memory>
#include <string>

#include "xbase/file.h"

namespace zentrix::xbase {

class ForwardingFile : public File {
public:
    explicit ForwardingFile(std::unique_ptr<File> inner) : inner_(std::move(inner)) {}

    Status readAt(uint64_t offset, void* buffer, size_t n) override {
        return inner_->readAt(offset, buffer, n);
    }
    Result<size_t> readSomeAt(uint64_t offset, void* buffer, size_t n) override {
        return inner_->readSomeAt(offset, buffer, n);
    }
    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        return inner_->writeAt(offset, data, n);
    }
    Result<uint64_t> size() override { return inner_->size(); }
    Status truncate(uint64_t size) override { return inner_->truncate(size); }
    Status sync() override { return inner_->sync(); }
    Status lock(uint64_t offset, uint64_t length, bool exclusive) override {
        return inner_->lock(offset, length, exclusive);
    }
    Status unlock(uint64_t offset, uint64_t length) override {
        return inner_->unlock(offset, length);
    }
    const std::string& path() const override { return inner_->path(); }

private:
    std::unique_ptr<File> inner_;
};

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(std::shared_ptr<FileSystem> inner) : inner_(std::move(inner)) {}

    Result<std::unique_ptr<File>> open(const std::string& path, OpenMode mode) override {
        return wrapResult(inner_->open(path, mode));
    }
    Result<std::unique_ptr<File>> create(const std::string& path) override {
        return wrapResult(inner_->create(path));
    }
    bool exists(const std::string& path) override { return inner_->exists(path); }
    Status remove(const std::string& path) override { return inner_->remove(path); }
    Status rename(const std::string& from, const std::string& to) override {
        return inner_->rename(from, to);
    }
    Result<std::unique_ptr<FolderLock>> lockFolder(const std::string& folder) override {
        return inner_->lockFolder(folder);
    }
    std::optional<std::string> resolveCaseInsensitive(const std::string& path) override {
        return inner_->resolveCaseInsensitive(path);
    }

protected:
    // Gives the File that callers get for a file the inner system opened.
    virtual std::unique_ptr<File> wrap(std::unique_ptr<File> file) { return file; }

private:
    Result<std::unique_ptr<File>> wrapResult(Result<std::unique_ptr<File>> file) {
        if (!file) return file.status();
        return wrap(std::move(file.value()));
    }

    std::shared_ptr<FileSystem> inner_;
};

}  // namespace zentrix::xbase
