#include "test_support.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zentrix::xbase::testing {

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "zentrix-xbase-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    path_ = made ? made : "";
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string interopDir() {
    const char* env = std::getenv("ZENTRIX_INTEROP_DIR");
    std::string dir = env && *env ? env : ZENTRIX_INTEROP_DIR;
    return std::filesystem::exists(dir + "/README.md") ? dir : "";
}

namespace {

class CuttingFile : public File {
public:
    CuttingFile(std::unique_ptr<File> real, CuttingFileSystem& fs)
        : real_(std::move(real)), fs_(fs) {}
    Status readAt(uint64_t o, void* b, size_t n) override { return real_->readAt(o, b, n); }
    Result<size_t> readSomeAt(uint64_t o, void* b, size_t n) override {
        return real_->readSomeAt(o, b, n);
    }
    Status writeAt(uint64_t offset, const void* data, size_t n) override {
        bool torn = false;
        if (fs_.allowWrite(torn)) return real_->writeAt(offset, data, n);
        // A torn write leaves half its bytes; whether they land changes
        // nothing about the crash being simulated.
        if (torn && n > 1) (void)real_->writeAt(offset, data, n / 2);
        return Status::error(real_->path() + ": simulated crash");
    }
    Result<uint64_t> size() override { return real_->size(); }
    Status truncate(uint64_t size) override {
        bool torn = false;
        if (fs_.allowWrite(torn)) return real_->truncate(size);
        return Status::error(real_->path() + ": simulated crash");
    }
    Status sync() override { return fs_.cut() ? Status::error("simulated crash") : real_->sync(); }
    Status lock(uint64_t o, uint64_t l, bool e) override { return real_->lock(o, l, e); }
    Status unlock(uint64_t o, uint64_t l) override { return real_->unlock(o, l); }
    const std::string& path() const override { return real_->path(); }

private:
    std::unique_ptr<File> real_;
    CuttingFileSystem& fs_;
};

}  // namespace

bool CuttingFileSystem::allowWrite(bool& torn) {
    ++writes_;
    torn = writes_ == budget_ + 1;
    return writes_ <= budget_;
}

Result<std::unique_ptr<File>> CuttingFileSystem::open(const std::string& path, OpenMode mode) {
    ZX_TRY_ASSIGN(auto file, real_->open(path, mode));
    return std::unique_ptr<File>(std::make_unique<CuttingFile>(std::move(file), *this));
}

Result<std::unique_ptr<File>> CuttingFileSystem::create(const std::string& path) {
    bool torn = false;
    if (!allowWrite(torn)) return Status::error(path + ": simulated crash");
    ZX_TRY_ASSIGN(auto file, real_->create(path));
    return std::unique_ptr<File>(std::make_unique<CuttingFile>(std::move(file), *this));
}

Status CuttingFileSystem::remove(const std::string& path) {
    bool torn = false;
    return allowWrite(torn) ? real_->remove(path) : Status::error(path + ": simulated crash");
}

Status CuttingFileSystem::rename(const std::string& from, const std::string& to) {
    bool torn = false;
    return allowWrite(torn) ? real_->rename(from, to) : Status::error(from + ": simulated crash");
}

}  // namespace zentrix::xbase::testing
